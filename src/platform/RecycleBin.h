// The recycle bins of all drives.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/WindowHandle.h"

namespace tallow {

struct TRecycleBinContent {
    std::uint64_t items = 0;
    std::uint64_t bytes = 0;
};

class IRecycleBin {
  public:
    virtual ~IRecycleBin() = default;
    /// Empties every drive's recycle bin without question, progress window or sound
    /// (SHEmptyRecycleBinA of Shell32.dll, loaded at run time, flags 7). Silent on
    /// any failure, including a missing library or function.
    virtual void EmptyAll(WindowHandle parent) = 0;
    /// What the recycle bins of all drives hold (SHQueryRecycleBinW); nothing when
    /// the system cannot tell.
    virtual std::optional<TRecycleBinContent> Query() = 0;
};

}  // namespace tallow
