// The system's URL history object (IUrlHistoryStg2).
#pragma once

#include <cstdint>
#include <memory>

namespace tallow {

class IUrlHistoryStore {
  public:
    virtual ~IUrlHistoryStore() = default;
    /// IUrlHistoryStg2::ClearHistory; its result is of no interest to callers.
    virtual void ClearHistory() = 0;
    /// The number of addresses the history holds (IUrlHistoryStg::EnumUrls); 0 when
    /// they cannot be listed.
    virtual std::uint64_t CountEntries() = 0;
};

}  // namespace tallow
