// A top-level window: caption, client size, placement, border icons, the form
// events, modal showing and the replaceable message handler that the
// application engine hooks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls/Control.h"
#include "toolkit/controls/DialogTypes.h"

namespace tallow {

class TskSkinFrame;
class TskButton;
class TskPngForm;

// Dialog results (TModalResult, mrOk ... mrYesToAll) come from
// toolkit/controls/DialogTypes.h, which the engine uses too, so both speak the
// same numbers.

enum class TPosition { Designed, ScreenCenter, MainFormCenter };

// The form's message handler: it sees every message of the form's window, may
// answer it (set Result) and decides whether to pass it on to the handler it
// replaced (which it saved when it was installed).
using TWndMethod = MessageHandler;  // std::function<void(TMessage&)>

class TskForm : public TskControl {
    TALLOW_CLASS(TskForm, TskControl)

    explicit TskForm(TComponent* owner);
    ~TskForm() override;

    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override;
    // The registered window class; defaults to the class name, so that another
    // program can find a form by it (a second start looks for "TfrmMain").
    void SetWindowClassName(const std::string& name) { windowClass_ = name; }

    // Client area size; the window frame comes on top of it.
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientWidth(int w) { SetWidth(w); }
    void SetClientHeight(int h) { SetHeight(h); }

    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    bool SystemMenuIcon() const { return systemMenu_; }
    void SetSystemMenuIcon(bool on) { systemMenu_ = on; }
    bool MinimizeIcon() const { return minimize_; }
    void SetMinimizeIcon(bool on) { minimize_ = on; }
    // No frame at all (splash and picture windows).
    bool Borderless() const { return borderless_; }
    void SetBorderless(bool on) { borderless_ = on; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    // The picture component that makes this a layered picture window, if any.
    TskPngForm* PictureWindow() const { return picture_; }
    void SetPictureWindow(TskPngForm* picture) { picture_ = picture; }
    TskSkinFrame* SkinFrame() const { return frame_; }
    void SetSkinFrame(TskSkinFrame* frame) { frame_ = frame; }
    // Draw our own caption bar: a skin frame is present and its skin allows it.
    bool UsesSkinnedFrame() const;

    // --- events ---
    TComponentEvent OnCreate;
    TComponentEvent OnShow;
    TComponentEvent OnDeactivate;
    std::function<void(TComponent* sender, bool& canClose)> OnCloseQuery;
    TComponentEvent OnClose;
    std::function<void(TComponent* sender, unsigned key)> OnKeyUp;

    // --- showing ---
    void SetVisible(bool visible) override;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery; when allowed fires OnClose and hides the form.
    bool Close();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    // Shows the form modally and returns the ModalResult that ended it (mrCancel
    // when it was closed some other way).
    int ShowModal();
    bool InModal() const { return inModal_; }
    // Creates the window now when a window factory is installed.
    void HandleNeeded();

    // --- messages ---
    const TWndMethod& WindowProc() const { return windowProc_; }
    void SetWindowProc(TWndMethod proc);
    // Entry point of the window layer: every message of the form's window.
    void Dispatch(TMessage& message);
    // The form's own handling, where every hook chain ends.
    void DefaultHandler(TMessage& message);
    bool Post(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

    // --- keyboard navigation ---
    // Focusable controls in tab order (by TabOrder within each container, depth first).
    std::vector<TskControl*> TabList();
    TskControl* NextTabStop(TskControl* from, bool forward);
    TskControl* FocusedControl();
    // Dialog keys of the form: Tab, Enter (default button), Esc (cancel button),
    // Alt+mnemonic. True when the key was used.
    bool DialogKey(unsigned key, bool shift);
    bool DialogChar(char ch, bool alt);
    void KeyReleased(unsigned key);
    void ShowSystemMenu();

    void Loaded() override;

  private:
    TskButton* FindButton(bool cancel);

    std::string windowClass_;
    TPosition position_ = TPosition::Designed;
    bool systemMenu_ = true;
    bool minimize_ = true;
    bool borderless_ = false;
    bool keyPreview_ = false;
    bool inModal_ = false;
    int modalResult_ = mrNone;
    TskSkinFrame* frame_ = nullptr;
    TskPngForm* picture_ = nullptr;
    TWndMethod windowProc_;
};

}  // namespace tallow
