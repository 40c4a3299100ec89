// The windows of this process, for code that needs "the application's window"
// without holding it.
#pragma once

#include <string>

#include "platform/WindowHandle.h"

namespace tallow {

class IProcessWindows {
  public:
    virtual ~IProcessWindows() = default;
    /// The first top-level window of class `className` that belongs to this
    /// process, in the system's window order; 0 when there is none.
    virtual WindowHandle FindOwnWindow(const std::string& className) = 0;
    /// The calling thread's active window (GetActiveWindow); 0 when none.
    virtual WindowHandle ActiveWindow() = 0;
};

}  // namespace tallow
