// What a control asks of the window that shows it. The window layer provides
// peers; without one (tests, or before the form is shown) a control is headless
// and only keeps its state.
#pragma once

#include <cstdint>

#include "toolkit/controls/WindowMessage.h"

namespace tallow {

class TskControl;
class TskForm;

// A window message in the form that hooks see: the numbers of the platform's
// message (msg, wParam, lParam) and the answer to give (result). It is the
// application engine's message type, so the engine hooks a form without adapters.
using TMessage = EngineMessage;

class IControlPeer {
  public:
    virtual ~IControlPeer() = default;
    virtual uintptr_t Handle() const = 0;
    virtual void Invalidate() = 0;
    virtual void BoundsChanged() = 0;
    virtual void VisibleChanged() = 0;
    virtual void EnabledChanged() = 0;
    virtual void TextChanged() = 0;
    virtual void TakeFocus() = 0;
    // A child was added, or shown for the first time without a window of its own.
    virtual void ChildAdded(TskControl& child) = 0;
};

class IFormPeer : public IControlPeer {
  public:
    // Runs a modal loop until the form's ModalResult is set or it is closed.
    virtual void RunModal() = 0;
    virtual void Close() = 0;
    // The platform's default handling of a message (the end of every hook chain).
    virtual void DefaultHandler(TMessage& message) = 0;
    virtual bool Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void ShowPopupMenuAt(int screenX, int screenY) = 0;
};

// Creates the windows of forms. The window layer installs one at start-up.
class IWindowFactory {
  public:
    virtual ~IWindowFactory() = default;
    virtual IFormPeer* CreateFormWindow(TskForm& form) = 0;
    virtual IControlPeer* CreateControlWindow(TskControl& control) = 0;
};

void SetWindowFactory(IWindowFactory* factory);
IWindowFactory* WindowFactory();

}  // namespace tallow
