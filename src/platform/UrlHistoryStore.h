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

/// CoCreateInstance(CLSID_CUrlHistory, IID_IUrlHistoryStg2) on the calling thread,
/// whose COM apartment is initialised; nullptr when the object cannot be created.
std::unique_ptr<IUrlHistoryStore> CreateUrlHistoryStore();

}  // namespace tallow
