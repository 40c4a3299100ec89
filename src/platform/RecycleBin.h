// The recycle bins of all drives.
#pragma once

#include "platform/WindowHandle.h"

namespace tallow {

class IRecycleBin {
  public:
    virtual ~IRecycleBin() = default;
    /// Empties every drive's recycle bin without question, progress window or sound
    /// (SHEmptyRecycleBinA of Shell32.dll, loaded at run time, flags 7). Silent on
    /// any failure, including a missing library or function.
    virtual void EmptyAll(WindowHandle parent) = 0;
};

}  // namespace tallow
