// TUrlHistory: holds the system's URL history object and empties it.
#pragma once

#include <functional>
#include <memory>

#include "platform/UrlHistoryStore.h"

namespace tallow {

class TUrlHistory {
  public:
    using StoreFactory = std::function<std::unique_ptr<IUrlHistoryStore>()>;

    /// `factory` creates the history object when the owning window has been loaded.
    explicit TUrlHistory(StoreFactory factory) : factory_(std::move(factory)) {}

    /// Makes `HistoryStore` available. The object itself (a COM object whose
    /// libraries take a while to load) is created on the calling thread when it
    /// is first asked for, not while the window opens. When it cannot be created
    /// the component holds none and everything else still works.
    void Loaded() { loaded_ = true; }
    /// The history object; null before `Loaded` or when it could not be created.
    IUrlHistoryStore* HistoryStore();
    /// Empties the history of visited addresses; nothing without a history object.
    void ClearHistoryStore();

  private:
    StoreFactory factory_;
    bool loaded_ = false;
    bool asked_ = false;
    std::unique_ptr<IUrlHistoryStore> store_;
};

}  // namespace tallow
