// Bringing a window of another process to the front.
#pragma once

#include "platform/WindowHandle.h"

namespace tallow {

class IForeground {
  public:
    virtual ~IForeground() = default;
    /// Restores a minimised window, shows it and makes it the foreground window,
    /// attaching to the foreground thread's input and lowering the foreground
    /// lock time-out when needed. True when it is the foreground window afterwards.
    virtual bool ForceForegroundWindow(WindowHandle window) = 0;
};

}  // namespace tallow
