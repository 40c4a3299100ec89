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

    /// Acquires `HistoryStore`. When the object cannot be created the component
    /// holds none and the window still opens.
    void Loaded();
    /// The history object; null before `Loaded` or when it could not be created.
    IUrlHistoryStore* HistoryStore() const { return store_.get(); }
    /// Empties the history of visited addresses; nothing without a history object.
    void ClearHistoryStore();

  private:
    StoreFactory factory_;
    std::unique_ptr<IUrlHistoryStore> store_;
};

}  // namespace tallow
