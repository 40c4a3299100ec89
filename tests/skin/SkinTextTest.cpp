#include <gtest/gtest.h>

#include "toolkit/skin/SkinText.h"

namespace tallow {
namespace {

TEST(SkinTextTest, KeysOverrideTheBaseAndAbsentKeysKeepIt) {
    SkinTheme theme;
    theme.SetColor(SkinColor::Text, 0xFF010203);
    theme.SetMetric(SkinMetric::GlowSize, 9);
    const SkinTextResult r = ParseSkinText(
        "; comment\r\n# another\r\n[Skin]\r\nName = Slate \r\n\r\n[colors]\r\nface=#aabbcc\r\n"
        "Shadow=#80112233\r\n[Metrics]\r\nCaptionHeight=+28\r\n[Font]\r\nFace=Tahoma\r\n"
        "[Images]\r\nButtonGlow=glow.png\r\n[Future]\r\nX=1\r\n[Colors]\r\nSparkle=#FFFFFF\r\n",
        theme);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(theme.name, "Slate");
    EXPECT_EQ(theme.Color(SkinColor::Face), 0xFFAABBCCu);
    EXPECT_EQ(theme.Color(SkinColor::Shadow), 0x80112233u);
    EXPECT_EQ(theme.Color(SkinColor::Text), 0xFF010203u);
    EXPECT_EQ(theme.Metric(SkinMetric::CaptionHeight), 28);
    EXPECT_EQ(theme.Metric(SkinMetric::GlowSize), 9);
    EXPECT_EQ(theme.fontFace, "Tahoma");
    EXPECT_EQ(r.imageFiles.at("ButtonGlow"), "glow.png");
    EXPECT_EQ(r.unknownKeys, (std::vector<std::string>{"Future.X", "Colors.Sparkle"}));
}

TEST(SkinTextTest, MalformedLinesAndValuesStopWithTheLineNumber) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[Colors]\nFace=#GGHHII\n", "skin.ini line 2: bad colour \"#GGHHII\""},
        {"[Colors]\nFace=FFFFFF\n", "skin.ini line 2: bad colour \"FFFFFF\""},
        {"[Colors]\n\nFace=#FFF\n", "skin.ini line 3: bad colour \"#FFF\""},
        {"[Metrics]\nFontSize=big\n", "skin.ini line 2: bad number \"big\""},
        {"[Metrics]\nFontSize=-1\n", "skin.ini line 2: bad number \"-1\""},
        {"[Metrics]\nFontSize=100000\n", "skin.ini line 2: bad number \"100000\""},
        {"Face=#FFFFFF\n", "skin.ini line 1: value outside a section"},
        {"[Colors\n", "skin.ini line 1: bad section header"},
        {"[Colors]\njust words\n", "skin.ini line 2: expected key=value"},
        {"[Colors]\n=#FFFFFF\n", "skin.ini line 2: expected key=value"},
        {"[Images]\nGlow=\n", "skin.ini line 2: image without a file"},
    };
    for (const auto& [text, error] : cases) {
        SkinTheme theme;
        EXPECT_EQ(ParseSkinText(text, theme).error, error) << text;
    }
}

TEST(SkinTextTest, FormattedTableReadsBackToTheSameTheme) {
    SkinTheme theme;
    theme.name = "Round";
    theme.author = "Trip";
    theme.fontFace = "Tahoma";
    for (size_t i = 0; i < kSkinColorCount; ++i)
        theme.colors[i] = 0x7F000000u + static_cast<uint32_t>(i * 0x010203u) + (i % 2 ? 0x80000000u : 0);
    for (size_t i = 0; i < kSkinMetricCount; ++i)
        theme.metrics[i] = static_cast<int>(i * 3);
    SkinTheme back;
    const SkinTextResult r = ParseSkinText(FormatSkinText(theme, {{"ButtonGlow", "glow.png"}}), back);
    ASSERT_EQ(r.error, "");
    EXPECT_TRUE(r.unknownKeys.empty());
    EXPECT_EQ(back.name, theme.name);
    EXPECT_EQ(back.author, theme.author);
    EXPECT_EQ(back.fontFace, theme.fontFace);
    EXPECT_EQ(back.colors, theme.colors);
    EXPECT_EQ(back.metrics, theme.metrics);
    EXPECT_EQ(r.imageFiles.size(), 1u);
}

TEST(SkinTextTest, ColoursReadAndWriteAsSixOrEightHexDigits) {
    uint32_t c = 0;
    EXPECT_TRUE(ParseSkinColor("#0a64C8", c));
    EXPECT_EQ(c, 0xFF0A64C8u);
    EXPECT_EQ(FormatSkinColor(c), "#0A64C8");
    EXPECT_TRUE(ParseSkinColor("#00FFFFFF", c));
    EXPECT_EQ(c, 0x00FFFFFFu);
    EXPECT_EQ(FormatSkinColor(c), "#00FFFFFF");
    EXPECT_FALSE(ParseSkinColor("#12345", c));
    EXPECT_FALSE(ParseSkinColor("", c));
}

}  // namespace
}  // namespace tallow
