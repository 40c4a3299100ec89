// A runner of single items that answers from a table and records what it was asked.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "cleaning/ItemTally.h"

namespace tallow {

/// Preview tells what `holds` says of an item (nothing to remove, ok, when absent);
/// Clean removes it and tells what it removed. An item in `throwing` throws as the
/// clipboard item does. Calls are noted in order.
class TFakeItemRunner : public IItemRunner {
  public:
    std::map<int, TItemTally> holds;
    std::set<int> throwing;
    std::vector<std::string> calls;  // "preview 11", "clean 11" ...
    std::vector<int> previewed;

    TItemTally Preview(int item) override {
        previewed.push_back(item);
        return Answer("preview ", item);
    }
    TItemTally Clean(int item) override {
        const TItemTally removed = Answer("clean ", item);
        holds.erase(item);
        return removed;
    }

  private:
    TItemTally Answer(const std::string& what, int item) {
        calls.push_back(what + std::to_string(item));
        if (throwing.count(item))
            throw std::runtime_error("Cannot open clipboard");
        auto found = holds.find(item);
        return found == holds.end() ? TItemTally{} : found->second;
    }
};

}  // namespace tallow
