// Under Windows: the skins packed by the build beside the program load through the
// Windows C runtime's file reading, and a damaged copy leaves the built-in skin.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "toolkit/skin/SkinData.h"

namespace tallow {
namespace {

TEST(ShippedSkinsTest, SkinsBesideTheProgramLoadAndDamagedOnesAreRefused) {
    TskSkinData skin(nullptr);
    std::string error;
    ASSERT_TRUE(skin.LoadFromCompressedFile("skins\\Slate.skn", &error)) << error;
    EXPECT_EQ(skin.Theme().name, "Slate");
    ASSERT_NE(skin.Theme().Image("ButtonGlow"), nullptr);
    ASSERT_TRUE(skin.LoadFromCompressedFile("skins\\Meadow.nsf.skn", &error)) << error;
    EXPECT_EQ(skin.Theme().name, "Meadow");

    std::ifstream in("skins\\Slate.skn", std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 100u);
    bytes.resize(bytes.size() / 2);
    std::ofstream("damaged.skn", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    skin.ClearSkin();
    EXPECT_FALSE(skin.LoadFromCompressedFile("damaged.skn", &error));
    EXPECT_TRUE(skin.IsBuiltIn());
    EXPECT_EQ(skin.Theme().name, "Standard");
    std::remove("damaged.skn");
}

}  // namespace
}  // namespace tallow
