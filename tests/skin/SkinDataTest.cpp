#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "png/PngBuilder.h"
#include "toolkit/skin/SkinData.h"
#include "toolkit/skin/SkinFile.h"
#include "toolkit/skin/SkinLoader.h"
#include "toolkit/skin/SkinText.h"

namespace tallow {
namespace {

namespace fs = std::filesystem;

std::string ShippedSkin(const std::string& name) {
    return std::string(TALLOW_SKINS_DIR) + "/" + name;
}

fs::path TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const char* root = std::getenv("TALLOW_TEST_TMP");
    fs::path dir = fs::path(root ? root : fs::temp_directory_path().string()) / "skin_test";
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return dir / name;
}

std::vector<uint8_t> SkinWithText(const std::string& text) {
    return WriteSkinFile({{"skin.ini", std::vector<uint8_t>(text.begin(), text.end())}});
}

TEST(SkinDataTest, BuiltInSkinSetsEveryKey) {
    SkinTheme sentinel;
    sentinel.colors.fill(0x00123456u);
    sentinel.metrics.fill(-1);
    SkinTheme builtIn;
    std::ifstream source(std::string(std::getenv("TALLOW_SOURCE_DIR")) + "/src/toolkit/skin/sources/Standard/skin.ini");
    const std::string text((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    builtIn = sentinel;
    const SkinTextResult r = ParseSkinText(text, builtIn);
    ASSERT_EQ(r.error, "");
    EXPECT_TRUE(r.unknownKeys.empty());
    for (size_t i = 0; i < kSkinColorCount; ++i)
        EXPECT_NE(builtIn.colors[i], 0x00123456u) << kSkinColorNames[i] << " missing";
    for (size_t i = 0; i < kSkinMetricCount; ++i)
        EXPECT_NE(builtIn.metrics[i], -1) << kSkinMetricNames[i] << " missing";

    const SkinTheme& compiled = BuiltInSkinTheme();
    EXPECT_EQ(compiled.name, "Standard");
    EXPECT_EQ(compiled.colors, builtIn.colors) << "the compiled-in skin is packed from the same source";
    EXPECT_EQ(compiled.fontFace, "Segoe UI");
}

TEST(SkinDataTest, ShippedSkinsLoadCleanlyAndDiffer) {
    const SkinTheme& base = BuiltInSkinTheme();
    SkinTheme slate, meadow;
    SkinLoadResult r = LoadSkinThemeFile(ShippedSkin("Slate.skn"), base, slate);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_TRUE(r.unknownKeys.empty());
    r = LoadSkinThemeFile(ShippedSkin("Meadow.nsf.skn"), base, meadow);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_TRUE(r.unknownKeys.empty());

    EXPECT_EQ(slate.name, "Slate");
    EXPECT_NE(slate.Color(SkinColor::Face), base.Color(SkinColor::Face));
    EXPECT_NE(meadow.Color(SkinColor::Accent), base.Color(SkinColor::Accent));
    EXPECT_EQ(meadow.Color(SkinColor::Caption), base.Color(SkinColor::Caption)) << "inherited from the built-in";
    EXPECT_EQ(meadow.fontFace, base.fontFace);
    const PngImage* glow = slate.Image("buttonglow");
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->width, 24);
    EXPECT_EQ(AlphaOf(glow->Pixel(0, 0)), 0);
    EXPECT_GT(AlphaOf(glow->Pixel(12, 12)), 200);
    SkinTheme standard;
    ASSERT_TRUE(LoadSkinThemeFile(ShippedSkin("Standard.skn"), SkinTheme(), standard).ok());
    EXPECT_EQ(standard.colors, base.colors);
}

TEST(SkinDataTest, LoadingNotifiesObserversAndFailuresKeepTheSkin) {
    TskSkinData skin(nullptr);
    int changes = 0;
    const int id = skin.AddChangeObserver([&](TskSkinData&) { ++changes; });
    EXPECT_TRUE(skin.IsBuiltIn());

    std::string error;
    for (const auto& bad : {std::vector<uint8_t>{'T', 'S', 'K', 'N'}, SkinWithText("[Colors]\nFace=red\n"),
                            WriteSkinFile({{"other.txt", {}}}), SkinWithText("[Images]\nGlow=missing.png\n")}) {
        EXPECT_FALSE(skin.LoadFromCompressedFile(TempFile("bad.skn", bad).string(), &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(skin.LoadFromCompressedFile(ShippedSkin("NoSuch.skn"), &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    const fs::path renamedPng = TempFile("glow.skn", {});
    fs::copy_file(std::string(std::getenv("TALLOW_SOURCE_DIR")) + "/src/toolkit/skin/sources/Slate/glow.png",
                  renamedPng, fs::copy_options::overwrite_existing);
    EXPECT_FALSE(skin.LoadFromCompressedFile(renamedPng.string(), &error));
    EXPECT_EQ(error, "not a skin file");
    EXPECT_TRUE(skin.IsBuiltIn());
    EXPECT_EQ(changes, 0);

    ASSERT_TRUE(skin.LoadFromCompressedFile(ShippedSkin("Slate.skn"), &error)) << error;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(skin.Theme().name, "Slate");
    EXPECT_FALSE(skin.LoadFromCompressedFile(TempFile("bad.skn", SkinWithText("[Metrics]\nGlowSize=x\n")).string()));
    EXPECT_EQ(skin.Theme().name, "Slate") << "a failed load keeps the skin in use";
    skin.ClearSkin();
    EXPECT_TRUE(skin.IsBuiltIn());
    EXPECT_EQ(skin.Theme().name, "Standard");
    EXPECT_EQ(changes, 2);
    skin.RemoveChangeObserver(id);
    skin.UseBuiltInSkin();
    EXPECT_EQ(changes, 2);
}

// A grey picture of the given size, as a skin entry.
SkinEntry GreyPicture(const std::string& name, uint32_t width, uint32_t height) {
    test::Bytes raw(static_cast<size_t>(width + 1) * height, 0);  // filter byte 0 and black rows
    const test::Bytes png = test::MakePng(test::HeaderData(width, height, 8, 0), raw);
    return {name, std::vector<uint8_t>(png.begin(), png.end())};
}

TEST(SkinDataTest, WhatASkinBuildsIsBoundedAndAnOverrunKeepsTheSkinInUse) {
    TskSkinData skin(nullptr);
    std::string error;
    std::string unknown = "[Skin]\n";
    for (int i = 0; i < 100000; ++i)
        unknown += "k" + std::to_string(i) + "=v\n";
    std::vector<uint8_t> file = SkinWithText(unknown);
    EXPECT_FALSE(skin.LoadFromCompressedData(file.data(), file.size(), "", &error));
    EXPECT_EQ(error, "skin.ini line 258: more than 256 unknown keys");

    // One full-size picture named by many keys is decoded once and shared.
    std::string shared = "[Images]\n";
    for (int i = 0; i < 64; ++i)
        shared += "Key" + std::to_string(i) + "=big.png\n";
    SkinEntry ini{"skin.ini", std::vector<uint8_t>(shared.begin(), shared.end())};
    const std::vector<SkinEntry> entries = {ini, GreyPicture("big.png", kSkinImageMaxSide, kSkinImageMaxSide)};
    file = WriteSkinFile(entries);
    ASSERT_TRUE(skin.LoadFromCompressedData(file.data(), file.size(), "", &error)) << error;
    EXPECT_EQ(skin.Theme().images.size(), 64u);
    EXPECT_EQ(skin.Theme().Image("Key0"), skin.Theme().Image("Key63"));
    shared += "Key64=big.png\n";
    ini.data.assign(shared.begin(), shared.end());
    file = WriteSkinFile({ini, entries[1]});
    EXPECT_FALSE(skin.LoadFromCompressedData(file.data(), file.size(), "", &error));
    EXPECT_EQ(error, "skin.ini line 66: more than 64 images");

    // Distinct pictures share the pixel budget: two full-size ones fill it.
    skin.ClearSkin();
    const std::string three = "[Skin]\nName=Big\n[Images]\nA=a.png\nB=b.png\nC=c.png\n";
    static_assert(kSkinMaxPixels == 2ull * kSkinImageMaxSide * kSkinImageMaxSide);
    file = WriteSkinFile({{"skin.ini", std::vector<uint8_t>(three.begin(), three.end())},
                          GreyPicture("a.png", kSkinImageMaxSide, kSkinImageMaxSide),
                          GreyPicture("b.png", kSkinImageMaxSide, kSkinImageMaxSide),
                          GreyPicture("c.png", 1, 1)});
    EXPECT_FALSE(skin.LoadFromCompressedData(file.data(), file.size(), "", &error));
    EXPECT_NE(error.find("image C: image too large"), std::string::npos) << error;
    EXPECT_TRUE(skin.IsBuiltIn());
}

TEST(SkinDataTest, StoredSkinGivesBackWhatWasCaptured) {
    TskSkinData skin(nullptr);
    const StoredSkin builtIn = skin.GetStoredSkin();
    EXPECT_EQ(builtIn.theme, nullptr);
    ASSERT_TRUE(skin.LoadFromCompressedFile(ShippedSkin("Slate.skn")));
    const StoredSkin slate = skin.GetStoredSkin();
    ASSERT_TRUE(skin.LoadFromCompressedFile(ShippedSkin("Meadow.nsf.skn")));
    skin.SetStoredSkin(slate);
    EXPECT_EQ(skin.Theme().name, "Slate");
    EXPECT_EQ(skin.SkinFile(), ShippedSkin("Slate.skn"));
    skin.SetStoredSkin(builtIn);
    EXPECT_TRUE(skin.IsBuiltIn());
    EXPECT_EQ(&skin.Theme(), &BuiltInSkinTheme());
    EXPECT_EQ(slate.theme->name, "Slate") << "a stored skin outlives later loads";
}

TEST(SkinDataTest, SwitchesArePublishedAndNotifyOnlyOnChange) {
    TskSkinData skin(nullptr);
    int changes = 0;
    skin.AddChangeObserver([&](TskSkinData&) { ++changes; });
    EXPECT_TRUE(skin.SkinnableForm());
    const PropInfo skinnable = FindProp(skin, "SkinnableForm");
    ASSERT_EQ(skinnable.kind, PropKind::Boolean);
    EXPECT_TRUE(skinnable.SetText("False"));
    EXPECT_FALSE(skin.SkinnableForm());
    skin.SetSkinnableForm(false);
    EXPECT_EQ(changes, 1);
    skin.SetShowButtonGlowFrames(false);
    skin.SetShowCaptionButtonGlowFrames(false);
    EXPECT_FALSE(skin.ShowButtonGlowFrames() || skin.ShowCaptionButtonGlowFrames());
    EXPECT_EQ(changes, 3);
    const PropInfo res = FindProp(skin, "ResourceStrData");
    EXPECT_EQ(res.kind, PropKind::Object);
    EXPECT_EQ(res.typeName, "TskResourceStrData");
}

TEST(SkinDataTest, ObserversMayRemoveThemselvesWhileNotified) {
    TskSkinData skin(nullptr);
    int first = 0, second = 0;
    int secondId = 0;
    const int firstId = skin.AddChangeObserver([&](TskSkinData& s) {
        ++first;
        s.RemoveChangeObserver(secondId);
    });
    secondId = skin.AddChangeObserver([&](TskSkinData&) { ++second; });
    skin.SetSkinnableForm(false);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0) << "removed during the notification, not called afterwards";
    skin.RemoveChangeObserver(firstId);
    skin.SetSkinnableForm(true);
    EXPECT_EQ(first, 1);
}

}  // namespace
}  // namespace tallow
