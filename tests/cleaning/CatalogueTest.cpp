// The cleaning catalogue as the language applier and the window reach it.
#include <gtest/gtest.h>

#include "cleaning/Catalogue.h"

namespace tallow::testing {
namespace {

TEST(CatalogueTest, RowsAreNumberedInOrderAndFoundByEitherComponentNameIgnoringCase) {
    for (int item = 1; item <= kItemCount; ++item) {
        const TCatalogueItem* row = CatalogueItem(item);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->number, item);
        EXPECT_EQ(FindCatalogueItem(row->checkName), row);
        EXPECT_EQ(FindCatalogueItem(row->buttonName), row);
        EXPECT_EQ(FindItemByName(CatalogueItemName(item)), item);
    }
    EXPECT_STREQ(CatalogueItemName(kItemTempFolder), "system.temp");
    EXPECT_STREQ(CatalogueItemName(kItemChromePasswords), "chrome.passwords");
    EXPECT_EQ(CatalogueItemName(0), nullptr);
    EXPECT_EQ(FindItemByName("System.Temp"), 0);
    EXPECT_EQ(FindItemByName("system"), 0);
    EXPECT_EQ(CatalogueItem(0), nullptr);
    EXPECT_EQ(CatalogueItem(kItemCount + 1), nullptr);
    EXPECT_EQ(FindCatalogueItem("BTNSYSER"), CatalogueItem(kItemRecycleBin));
    EXPECT_EQ(FindCatalogueItem("tstIE"), nullptr);
    EXPECT_EQ(FindCatalogueItem(""), nullptr);
    EXPECT_STREQ(CataloguePageName(CatalogueItem(kItemRunHistory)->page), "tstWH");
}

}  // namespace
}  // namespace tallow::testing
