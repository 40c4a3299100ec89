#include "toolkit/controls/Form.h"

#include <algorithm>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/PngForm.h"
#include "toolkit/controls/SkinFrame.h"

namespace tallow {

TskForm::TskForm(TComponent* owner) : TskControl(owner) {
    SetVisible(false);
    windowProc_ = [this](TMessage& m) { DefaultHandler(m); };
}

TskForm::~TskForm() {
    // Windows of the children go with the form's window; let them go first so
    // no message reaches a half-destroyed form.
    DetachPeer();
    // Owned components outlive this part of the form (TComponent frees them).
    if (frame_ != nullptr)
        frame_->FormDestroyed();
    if (picture_ != nullptr)
        picture_->FormDestroyed();
}

void TskForm::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.String<TskForm>("Caption", "TCaption", &TskForm::Caption, &TskForm::SetCaption);
    out.Integer<TskForm>("ClientWidth", "Integer", &TskForm::ClientWidth, &TskForm::SetClientWidth);
    out.Integer<TskForm>("ClientHeight", "Integer", &TskForm::ClientHeight, &TskForm::SetClientHeight);
    out.Boolean<TskForm>("KeyPreview", &TskForm::KeyPreview, &TskForm::SetKeyPreview);
}

const char* TskForm::WindowClassName() const {
    return windowClass_.empty() ? ClassName().data() : windowClass_.c_str();
}

bool TskForm::UsesSkinnedFrame() const {
    if (borderless_ || frame_ == nullptr)
        return false;
    return frame_->Palette().SkinnableForm;
}

void TskForm::Loaded() {
    TskControl::Loaded();
    if (OnCreate)
        OnCreate(this);
}

//--- showing --------------------------------------------------------------

void TskForm::HandleNeeded() {
    if (Peer() != nullptr || WindowFactory() == nullptr)
        return;
    AttachPeer(std::unique_ptr<IControlPeer>(WindowFactory()->CreateFormWindow(*this)));
    // The children's windows need the form's window as their parent.
    for (TskControl* child : Children())
        Peer()->ChildAdded(*child);
}

void TskForm::SetVisible(bool visible) {
    if (visible == Visible())
        return;
    if (visible)
        HandleNeeded();
    TskControl::SetVisible(visible);
    if (visible && OnShow)
        OnShow(this);
}

bool TskForm::Close() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return false;
    if (OnClose)
        OnClose(this);
    if (inModal_ && modalResult_ == mrNone)
        modalResult_ = mrCancel;
    Hide();
    if (auto* peer = dynamic_cast<IFormPeer*>(Peer()))
        peer->Close();
    if (Application().MainForm() == this)
        Application().Terminate();
    return true;
}

void TskForm::SetModalResult(int result) {
    modalResult_ = result;
    // The modal loop waits for posted messages; one that was sent (BM_CLICK from
    // another program, say) would not wake it, so nudge it with an empty one.
    if (inModal_ && result != mrNone)
        if (auto* peer = dynamic_cast<IFormPeer*>(Peer()))
            peer->Post(0, 0, 0);
}

int TskForm::ShowModal() {
    modalResult_ = mrNone;
    inModal_ = true;
    Show();
    if (auto* peer = dynamic_cast<IFormPeer*>(Peer()))
        peer->RunModal();
    inModal_ = false;
    Hide();
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

//--- messages -------------------------------------------------------------

void TskForm::SetWindowProc(TWndMethod proc) {
    if (proc)
        windowProc_ = std::move(proc);
    else
        windowProc_ = [this](TMessage& m) { DefaultHandler(m); };
}

void TskForm::Dispatch(TMessage& message) {
    // Copy first: a hook may replace or restore the handler while it runs.
    TWndMethod proc = windowProc_;
    proc(message);
}

void TskForm::DefaultHandler(TMessage& message) {
    if (auto* peer = dynamic_cast<IFormPeer*>(Peer()))
        peer->DefaultHandler(message);
}

bool TskForm::Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    HandleNeeded();
    auto* peer = dynamic_cast<IFormPeer*>(Peer());
    return peer != nullptr && peer->Post(msg, wParam, lParam);
}

//--- keyboard navigation --------------------------------------------------

static void CollectTabStops(TskControl& parent, std::vector<TskControl*>& out) {
    std::vector<TskControl*> kids = parent.Children();
    std::stable_sort(kids.begin(), kids.end(),
                     [](TskControl* a, TskControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TskControl* c : kids) {
        if (!c->Visible() || !c->Enabled())
            continue;
        if (c->CanFocus())
            out.push_back(c);
        CollectTabStops(*c, out);
    }
}

std::vector<TskControl*> TskForm::TabList() {
    std::vector<TskControl*> out;
    CollectTabStops(*this, out);
    return out;
}

TskControl* TskForm::NextTabStop(TskControl* from, bool forward) {
    std::vector<TskControl*> list = TabList();
    if (list.empty())
        return nullptr;
    auto it = std::find(list.begin(), list.end(), from);
    if (it == list.end())
        return forward ? list.front() : list.back();
    size_t i = size_t(it - list.begin());
    size_t n = list.size();
    return list[forward ? (i + 1) % n : (i + n - 1) % n];
}

static TskControl* FindFocused(TskControl& parent) {
    for (TskControl* c : parent.Children()) {
        if (c->Focused())
            return c;
        if (TskControl* inner = FindFocused(*c))
            return inner;
    }
    return nullptr;
}

TskControl* TskForm::FocusedControl() {
    return FindFocused(*this);
}

static TskButton* FindButtonIn(TskControl& parent, bool cancel) {
    for (TskControl* c : parent.Children()) {
        if (auto* b = dynamic_cast<TskButton*>(c); b && b->IsUsable() && (cancel ? b->Cancel() : b->Default()))
            return b;
        if (TskButton* inner = FindButtonIn(*c, cancel))
            return inner;
    }
    return nullptr;
}

TskButton* TskForm::FindButton(bool cancel) {
    return FindButtonIn(*this, cancel);
}

bool TskForm::DialogKey(unsigned key, bool shift) {
    if (key == vkTab) {
        if (TskControl* next = NextTabStop(FocusedControl(), !shift))
            next->SetFocus();
        return true;
    }
    if (key == vkReturn) {
        TskControl* focused = FocusedControl();
        if (focused != nullptr && dynamic_cast<TskButton*>(focused) != nullptr)
            return false;  // the focused button clicks itself
        if (TskButton* b = FindButton(false)) {
            b->Click();
            return true;
        }
    }
    if (key == vkEscape) {
        if (TskButton* b = FindButton(true)) {
            b->Click();
            return true;
        }
    }
    return false;
}

static TskControl* FindMnemonic(TskControl& parent, char ch) {
    for (TskControl* c : parent.Children()) {
        if (c->IsUsable() && c->CanFocus() && c->MatchesMnemonic(ch))
            return c;
        if (TskControl* inner = FindMnemonic(*c, ch))
            return inner;
    }
    return nullptr;
}

bool TskForm::DialogChar(char ch, bool alt) {
    if (!alt)
        return false;
    TskControl* target = FindMnemonic(*this, ch);
    if (target == nullptr)
        return false;
    target->SetFocus();
    target->Click();
    return true;
}

void TskForm::KeyReleased(unsigned key) {
    if (OnKeyUp)
        OnKeyUp(this, key);
}

void TskForm::ShowSystemMenu() {
    auto* peer = dynamic_cast<IFormPeer*>(Peer());
    if (peer == nullptr || frame_ == nullptr)
        return;
    peer->ShowPopupMenuAt(-1, -1);
}

}  // namespace tallow
