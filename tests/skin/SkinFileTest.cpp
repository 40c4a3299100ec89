#include <gtest/gtest.h>

#include <zlib.h>

#include "toolkit/skin/SkinFile.h"

namespace tallow {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

std::string ReadError(const Bytes& file) {
    std::vector<SkinEntry> entries;
    std::string error;
    if (ReadSkinFile(file.data(), file.size(), entries, error))
        return "";
    EXPECT_TRUE(entries.empty());
    return error;
}

// A header over a payload, with the given claims.
Bytes Handmade(const Bytes& payload, uint32_t claimedSize, uint16_t version = 1) {
    Bytes file = {'T', 'S', 'K', 'N', static_cast<uint8_t>(version), static_cast<uint8_t>(version >> 8), 0, 0};
    const uint32_t crc = static_cast<uint32_t>(crc32(0, payload.data(), static_cast<uInt>(payload.size())));
    for (uint32_t v : {claimedSize, crc}) {
        for (int i = 0; i < 4; ++i)
            file.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    uLongf size = compressBound(static_cast<uLong>(payload.size()));
    Bytes packed(size);
    compress2(packed.data(), &size, payload.data(), static_cast<uLong>(payload.size()), 6);
    file.insert(file.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(size));
    return file;
}

TEST(SkinFileTest, WrittenEntriesReadBackInOrder) {
    const std::vector<SkinEntry> entries = {
        {"skin.ini", Text("[Skin]\nName=X\n")}, {"glow.png", Bytes(5000, 0xAB)}, {"empty.bin", {}}};
    const Bytes file = WriteSkinFile(entries);
    std::vector<SkinEntry> back;
    std::string error;
    ASSERT_TRUE(ReadSkinFile(file.data(), file.size(), back, error)) << error;
    ASSERT_EQ(back.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].name, entries[i].name);
        EXPECT_EQ(back[i].data, entries[i].data);
    }
}

TEST(SkinFileTest, DamagedAndForeignFilesAreRefused) {
    const Bytes good = WriteSkinFile({{"skin.ini", Text("[Colors]\nFace=#FFFFFF\n")}});
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_NE(ReadError(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut))), "") << cut;

    Bytes badMagic = good;
    badMagic[0] = 'X';
    EXPECT_EQ(ReadError(badMagic), "not a skin file");
    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0};
    EXPECT_EQ(ReadError(png), "not a skin file");
    EXPECT_EQ(ReadError(Text("[Skin]\nName=plain text renamed to .skn\n")), "not a skin file");

    Bytes badData = good;
    for (size_t i = 18; i < badData.size(); ++i)
        badData[i] ^= 0x33;
    EXPECT_NE(ReadError(badData).find("damaged skin data"), std::string::npos);

    Bytes badCrc = good;
    badCrc[12] ^= 1;
    EXPECT_EQ(ReadError(badCrc), "skin data checksum mismatch");

    const Bytes payload = {8, 's', 'k', 'i', 'n', '.', 'i', 'n', 'i', 1, 0, 0, 0, 'x'};
    EXPECT_EQ(ReadError(Handmade(payload, static_cast<uint32_t>(payload.size()))), "");
    EXPECT_EQ(ReadError(Handmade(payload, static_cast<uint32_t>(payload.size()), 2)),
              "unsupported skin file version 2");
    EXPECT_EQ(ReadError(Handmade(payload, 0xFFFFFFF0u)), "bad payload size");
    EXPECT_EQ(ReadError(Handmade(payload, 0)), "bad payload size");
    EXPECT_NE(ReadError(Handmade(payload, 1000)).find("ends early"), std::string::npos);
    EXPECT_NE(ReadError(Handmade(payload, 5)).find("more data than expected"), std::string::npos);
}

TEST(SkinFileTest, MalformedEntryTablesAreRefused) {
    auto entryError = [](const Bytes& payload) {
        return ReadError(Handmade(payload, static_cast<uint32_t>(payload.size())));
    };
    EXPECT_EQ(entryError({3, 'a', 'b', 'c', 200, 0, 0, 0, 'x'}), "damaged entry");  // data beyond the end
    EXPECT_EQ(entryError({0, 0, 0, 0, 0}), "damaged entry");                        // empty name
    EXPECT_EQ(entryError({9, 'a', 'b'}), "damaged entry");                          // name beyond the end
    EXPECT_EQ(entryError({3, '.', '.', '/', 0, 0, 0, 0}), "damaged entry");         // path characters
    EXPECT_NE(entryError({1, 'a', 0, 0, 0, 0, 1, 'A', 0, 0, 0, 0}).find("twice"), std::string::npos);
    std::vector<SkinEntry> many;
    for (int i = 0; i <= 64; ++i)
        many.push_back({"e" + std::to_string(i), {}});
    EXPECT_EQ(ReadError(WriteSkinFile(many)), "too many entries");
    EXPECT_FALSE(IsValidSkinEntryName(std::string(65, 'a')));
    EXPECT_TRUE(IsValidSkinEntryName("Button_Glow-2.png"));
}

}  // namespace
}  // namespace tallow
