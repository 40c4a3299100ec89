#include "cleaning/SizeText.h"

#include "cleaning/Catalogue.h"
#include "framework/CLEngineText.h"
#include "platform/Locale.h"

namespace tallow {

namespace {

// The unit of each catalogue item, in item order.
const TCountUnit kUnits[kItemCount] = {
    TCountUnit::kEntries,  // IE history: history store and URL cache entries
    TCountUnit::kEntries,  // IE cache: URL cache entries
    TCountUnit::kEntries,  // IE cookies
    TCountUnit::kEntries,  // IE passwords: stored credentials
    TCountUnit::kEntries,  // Firefox history: rows of places.sqlite
    TCountUnit::kFiles,    // Firefox cache
    TCountUnit::kFiles,    // Firefox cookies
    TCountUnit::kFiles,    // Firefox passwords
    TCountUnit::kData,     // clipboard
    TCountUnit::kFiles,    // recycle bin
    TCountUnit::kFiles,    // temporary folder
    TCountUnit::kEntries,  // recent documents
    TCountUnit::kEntries,  // Run history: registry values
    TCountUnit::kFiles,    // the Chromium items
    TCountUnit::kFiles,   TCountUnit::kFiles, TCountUnit::kFiles,
};

// "1 file", "1,204 files", "12 entries".
std::string CountText(TCountUnit unit, std::uint64_t count, const ILocale& locale, const TTextByKey& text) {
    const bool files = unit == TCountUnit::kFiles;
    if (count == 1)
        return text(files ? "NOTE_SizeOneFile" : "NOTE_SizeOneEntry");
    return FillPlaceholders(text(files ? "NOTE_SizeFiles" : "NOTE_SizeEntries"), {locale.FormatCount(count)});
}

// What can go: nothing, the clipboard's data, or the count with the size when
// the item has one.
std::string RemovableText(int item, const TItemTally& tally, const ILocale& locale, const TTextByKey& text) {
    const TCountUnit unit = ItemCountUnit(item);
    if (tally.entries == 0 && tally.bytes == 0)
        return {};
    if (unit == TCountUnit::kData)
        return text("NOTE_SizeHoldsData");
    const std::string count = CountText(unit, tally.entries, locale, text);
    if (tally.bytes == 0 && unit != TCountUnit::kFiles)
        return count;
    return FillPlaceholders(text("NOTE_SizeWithBytes"), {count, locale.FormatByteSize(tally.bytes)});
}

}  // namespace

TCountUnit ItemCountUnit(int item) {
    return item >= 1 && item <= kItemCount ? kUnits[item - 1] : TCountUnit::kEntries;
}

std::string ItemSizeText(int item, const TItemTally& tally, const ILocale& locale, const TTextByKey& text) {
    const std::string removable = RemovableText(item, tally, locale, text);
    switch (tally.status) {
        case TItemStatus::kNotInstalled:
            return text("NOTE_SizeNotInstalled");
        case TItemStatus::kFailed:
            return text("NOTE_SizeFailed");
        case TItemStatus::kInUse:
            return removable.empty() ? text("NOTE_SizeInUse")
                                     : FillPlaceholders(text("NOTE_SizeInUseWith"), {removable});
        case TItemStatus::kOk:
            break;
    }
    return removable.empty() ? text("NOTE_SizeNothing") : removable;
}

std::string CountingText(const TTextByKey& text) {
    return text("NOTE_SizeCounting");
}

std::vector<std::string> TotalArgs(const TItemTally& total, const ILocale& locale) {
    return {locale.FormatByteSize(total.bytes), locale.FormatCount(total.entries)};
}

}  // namespace tallow
