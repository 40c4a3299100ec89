// The texts of the size labels and the clear-all lines, composed from language
// texts, the locale's digit grouping and its size format; and the place of a
// label between its caption and its button.
#include <gtest/gtest.h>

#include "cleaning/Catalogue.h"
#include "cleaning/SizeText.h"
#include "cleaning/uMainForm.h"
#include "fakes/FakePlatform.h"
#include "framework/CLEngineText.h"

namespace tallow {
namespace {

// The English texts, marked so that a text taken from the wrong key shows.
std::string English(const std::string& key) {
    static const std::map<std::string, std::string> texts = {
        {"NOTE_SizeCounting", "counting..."},
        {"NOTE_SizeNothing", "nothing to remove"},
        {"NOTE_SizeInUse", "in use"},
        {"NOTE_SizeInUseWith", "{1} (in use)"},
        {"NOTE_SizeNotInstalled", "not installed"},
        {"NOTE_SizeFailed", "could not be counted"},
        {"NOTE_SizeFiles", "{1} files"},
        {"NOTE_SizeOneFile", "1 file"},
        {"NOTE_SizeEntries", "{1} entries"},
        {"NOTE_SizeOneEntry", "1 entry"},
        {"NOTE_SizeWithBytes", "{1}, {2}"},
        {"NOTE_SizeHoldsData", "holds data"},
    };
    auto it = texts.find(key);
    return it == texts.end() ? "[" + key + "]" : it->second;
}

TEST(SizeTextTest, LabelsSayCountSizeAndStatusInTheUsersFormats) {
    TFakeLocale locale;
    constexpr std::uint64_t MB = 1u << 20;
    struct Case {
        int item;
        TItemTally tally;
        const char* text;
    };
    const Case cases[] = {
        {kItemTempFolder, {1204, 245 * MB, TItemStatus::kOk}, "1,204 files, 245 MB"},
        {kItemTempFolder, {1, 300, TItemStatus::kOk}, "1 file, 300 bytes"},
        {kItemTempFolder, {3, 0, TItemStatus::kOk}, "3 files, 0 bytes"},
        {kItemTempFolder, {0, 0, TItemStatus::kOk}, "nothing to remove"},
        {kItemIECache, {1234567, 3 * MB, TItemStatus::kOk}, "1,234,567 entries, 3 MB"},
        {kItemRunHistory, {12, 0, TItemStatus::kOk}, "12 entries"},
        {kItemFFHistory, {1, 0, TItemStatus::kOk}, "1 entry"},
        {kItemClipboard, {1, 0, TItemStatus::kOk}, "holds data"},
        {kItemClipboard, {0, 0, TItemStatus::kOk}, "nothing to remove"},
        {kItemFFCache, {0, 0, TItemStatus::kInUse}, "in use"},
        {kItemChromeCache, {20, 4096, TItemStatus::kInUse}, "20 files, 4 KB (in use)"},
        {kItemFFCookies, {0, 0, TItemStatus::kNotInstalled}, "not installed"},
        {kItemRecycleBin, {5, 5, TItemStatus::kFailed}, "could not be counted"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ItemSizeText(c.item, c.tally, locale, English), c.text) << CatalogueItemName(c.item);
    EXPECT_EQ(CountingText(English), "counting...");

    locale.thousands = '.';
    EXPECT_EQ(ItemSizeText(kItemTempFolder, {4210, 312 * MB}, locale, English), "4.210 files, 312 MB");
    EXPECT_EQ(FillPlaceholders("About {1} in {2} files will be removed.", TotalArgs({4210, 312 * MB}, locale)),
              "About 312 MB in 4.210 files will be removed.");
    for (int item = 1; item <= kItemCount; ++item)
        EXPECT_EQ(ItemSizeText(item, {0, 0}, locale, English), "nothing to remove") << item;
}

TEST(SizeTextTest, ALabelStaysBetweenItsCaptionAndItsButton) {
    struct Case {
        int captionWidth, textWidth;
        TSizeLabelPlace place;
    };
    // Check box at 24, button at 376: the room ends at 370.
    const Case cases[] = {
        {200, 90, {226, 256, 90}},    // room for both
        {200, 200, {226, 256, 114}},  // the label is cut short
        {400, 90, {346, 370, 0}},     // a caption that fills the row leaves no label
        {0, 0, {26, 56, 0}},
    };
    for (const Case& c : cases) {
        const TSizeLabelPlace p = PlaceSizeLabel(24, c.captionWidth, c.textWidth, 376);
        EXPECT_EQ(p.checkWidth, c.place.checkWidth) << c.captionWidth << "/" << c.textWidth;
        EXPECT_EQ(p.labelLeft, c.place.labelLeft) << c.captionWidth << "/" << c.textWidth;
        EXPECT_EQ(p.labelWidth, c.place.labelWidth) << c.captionWidth << "/" << c.textWidth;
        EXPECT_LE(p.labelLeft + p.labelWidth, 370);
        EXPECT_LE(24 + p.checkWidth, p.labelLeft);
    }
}

}  // namespace
}  // namespace tallow
