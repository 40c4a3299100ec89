// An item runner that answers from a table and records what it was asked.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "cleaning/ItemTally.h"

namespace tallow {

class TFakeItemRunner : public IItemRunner {
  public:
    std::map<int, TItemTally> tallies;  // by item; missing: nothing to remove, ok
    std::set<int> throwing;             // items whose run throws
    std::vector<std::string> calls;     // "preview 11", "clean 11" ..., in order

    TItemTally Preview(int item) override { return Answer("preview ", item); }
    TItemTally Clean(int item) override { return Answer("clean ", item); }

  private:
    TItemTally Answer(const std::string& what, int item) {
        calls.push_back(what + std::to_string(item));
        if (throwing.count(item)) {
            throw std::runtime_error("Cannot open clipboard");
        }
        auto found = tallies.find(item);
        return found == tallies.end() ? TItemTally{} : found->second;
    }
};

}  // namespace tallow
