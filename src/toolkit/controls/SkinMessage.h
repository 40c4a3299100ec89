// TskSkinMessage: the modal message dialog. Text and caption, an icon by dialog
// type, one button per member of the button set (captions from the toolkit's
// resource strings) and, with ShowAgainFlag, a "don't display this again" box.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/Component.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/Containers.h"
#include "toolkit/controls/DialogTypes.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Label.h"

namespace tallow {

// The dialog icon, painted from shapes (no picture files): warning triangle,
// error, information and question discs; nothing for the custom type.
class TskMessageIcon : public TskControl {
    TALLOW_CLASS(TskMessageIcon, TskControl)

    explicit TskMessageIcon(TComponent* owner);
    const char* WindowClassName() const override { return "TallowMessageIcon"; }
    TMsgDlgType Kind() const { return kind_; }
    void SetKind(TMsgDlgType kind);
    void Paint(ICanvas& canvas) override;

  private:
    TMsgDlgType kind_ = TMsgDlgType::mtInformation;
    std::vector<uint8_t> pixels_;
    int size_ = 0;
};

// Anti-aliased icon shape of `size` x `size` pixels, premultiplied BGRA.
std::vector<uint8_t> RenderIconShape(TMsgDlgType kind, int size);

// The window of one message: built by TskSkinMessage, shown modally.
class TskMessageForm : public TskForm {
    TALLOW_CLASS(TskMessageForm, TskForm)

    explicit TskMessageForm(TComponent* owner);
    const char* WindowClassName() const override { return "TallowMessageDialog"; }

    TskMessageIcon* Icon = nullptr;
    TskLabel* Text = nullptr;
    TskCheckBox* ShowFlag = nullptr;  // null when not offered
    TskPanel* ButtonBand = nullptr;   // the strip along the bottom that holds the buttons
    std::vector<TskButton*> Buttons;

    TColor BackgroundColor() const override;
};

class TskSkinMessage : public TComponent {
    TALLOW_CLASS(TskSkinMessage, TComponent)

    explicit TskSkinMessage(TComponent* owner);
    void PublishProperties(PropertyList& out) override;

    TskSkinData* SkinData() const { return skin_; }
    void SetSkinData(TskSkinData* skin) { skin_ = skin; }
    TskSkinData* CtrlSkinData() const { return ctrlSkin_; }
    void SetCtrlSkinData(TskSkinData* skin) { ctrlSkin_ = skin; }
    bool ShowAgainFlag() const { return showAgainFlag_; }
    void SetShowAgainFlag(bool on) { showAgainFlag_ = on; }
    bool ShowAgainFlagValue() const { return showAgainFlagValue_; }
    void SetShowAgainFlagValue(bool on) { showAgainFlagValue_ = on; }

    // Looks up a toolkit text ("MSG_BTN_YES", "MSG_CAP_SHOWFLAG"); an empty answer
    // falls back to the built-in caption.
    using TTextLookup = std::function<std::string(const std::string& key)>;
    void SetTextLookup(TTextLookup lookup) { lookup_ = std::move(lookup); }
    std::string ResText(const std::string& key, const std::string& fallback) const;

    // Shows the dialog modally and returns the result of the button pressed
    // (mrCancel when it was closed otherwise).
    TModalResult MessageDlg(const std::string& text,
                            const std::string& caption,
                            TMsgDlgType type,
                            TMsgDlgButtons buttons,
                            int helpContext = 0);
    // Builds the dialog without showing it (the gallery and the tests use it).
    std::unique_ptr<TskMessageForm> BuildDialog(const std::string& text,
                                                const std::string& caption,
                                                TMsgDlgType type,
                                                TMsgDlgButtons buttons);

    // Fires with the dialog as it is shown (its modal loop starts after it).
    std::function<void(TskMessageForm&)> OnDialogShow;

  private:
    TskSkinData* skin_ = nullptr;
    TskSkinData* ctrlSkin_ = nullptr;
    bool showAgainFlag_ = false;
    bool showAgainFlagValue_ = true;
    TTextLookup lookup_;
};

}  // namespace tallow
