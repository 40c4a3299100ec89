// The texts of what an item would remove, for the main window's size labels and
// the clear-all run's lines: counts with the user's digit grouping, sizes as the
// shell formats them, every word a language text of [AppRes].
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cleaning/ItemTally.h"

namespace tallow {

class ILocale;

/// An application text by key ("NOTE_SizeFiles" ...).
using TTextByKey = std::function<std::string(const std::string& key)>;

/// What item `item` (1 to kItemCount) counts, for the user.
enum class TCountUnit {
    kFiles,    // files on disk
    kEntries,  // cache entries, history rows, stored passwords, registry values
    kData,     // the clipboard: whether it holds anything
};
TCountUnit ItemCountUnit(int item);

/// The label of item `item` once counted: "1,204 files, 245 MB", "12 entries",
/// "holds data", "nothing to remove", "in use", "not installed" ...
std::string ItemSizeText(int item, const TItemTally& tally, const ILocale& locale, const TTextByKey& text);

/// The label while the item is being counted.
std::string CountingText(const TTextByKey& text);

/// The arguments of the clear-all run's lines ("About {1} in {2} files ..."):
/// the size, then the count.
std::vector<std::string> TotalArgs(const TItemTally& total, const ILocale& locale);

}  // namespace tallow
