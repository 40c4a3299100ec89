// The system clipboard.
#pragma once

#include "platform/WindowHandle.h"

namespace tallow {

class IClipboard {
  public:
    virtual ~IClipboard() = default;
    /// OpenClipboard with `owner`; false when another program holds it open.
    virtual bool Open(WindowHandle owner) = 0;
    /// EmptyClipboard; the clipboard must be open.
    virtual void Empty() = 0;
    virtual void Close() = 0;
    /// Whether the clipboard holds data in any format (open or not).
    virtual bool HasData() = 0;
};

}  // namespace tallow
