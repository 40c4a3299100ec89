// A runner of single items that answers from a table: what each item holds.
#pragma once

#include <map>
#include <vector>

#include "cleaning/ItemTally.h"

namespace tallow {

/// Preview tells what `holds` says of an item (nothing when absent); Clean
/// removes it and tells what it removed. Calls are noted in `previewed`.
class TFakeItemRunner : public IItemRunner {
  public:
    std::map<int, TItemTally> holds;
    std::vector<int> previewed;

    TItemTally Preview(int item) override {
        previewed.push_back(item);
        auto it = holds.find(item);
        return it == holds.end() ? TItemTally{} : it->second;
    }
    TItemTally Clean(int item) override {
        const TItemTally removed = Preview(item);
        holds.erase(item);
        return removed;
    }
};

}  // namespace tallow
