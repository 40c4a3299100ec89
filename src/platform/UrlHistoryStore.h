// The system's URL history object (IUrlHistoryStg2).
#pragma once

#include <memory>

namespace tallow {

class IUrlHistoryStore {
  public:
    virtual ~IUrlHistoryStore() = default;
    /// IUrlHistoryStg2::ClearHistory; its result is of no interest to callers.
    virtual void ClearHistory() = 0;
};

}  // namespace tallow
