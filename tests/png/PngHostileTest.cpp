// Damaged, truncated and hostile PNG files: each one refused with a reason.
#include <gtest/gtest.h>

#include "PngBuilder.h"
#include "toolkit/image/BoundedInflater.h"
#include "toolkit/image/PngDecoder.h"

namespace tallow::test {
namespace {

// A valid 4x2 8-bit grey image, unfiltered.
Bytes GreyRaw() {
    return {0, 10, 20, 30, 40, 0, 50, 60, 70, 80};
}

std::string DecodeError(const Bytes& file, const PngDecodeOptions& options = {}) {
    PngImage image;
    std::string error;
    if (DecodePng(file.data(), file.size(), image, error, options))
        return "";
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_FALSE(error.empty());
    return error;
}

TEST(PngHostileTest, HandBuiltFileDecodesAndAncillaryChunksAreSkipped) {
    const Bytes file = MakePng(HeaderData(4, 2, 8, 0), GreyRaw(), {{"tEXt", {'a', 0, 'b'}}, {"zzZz", {1, 2}}});
    PngImage image;
    std::string error;
    ASSERT_TRUE(DecodePng(file.data(), file.size(), image, error)) << error;
    EXPECT_EQ(image.Pixel(3, 1), MakeArgb(255, 80, 80, 80));
}

TEST(PngHostileTest, EveryTruncationAndEveryCorruptedByteIsHandled) {
    const Bytes file = MakePng(HeaderData(4, 2, 8, 0), GreyRaw());
    for (size_t cut = 0; cut < file.size(); ++cut)
        EXPECT_NE(DecodeError(Bytes(file.begin(), file.begin() + cut)), "") << "cut at " << cut;
    for (size_t i = 8; i < file.size(); ++i) {
        Bytes bad = file;
        bad[i] ^= 0x5A;
        DecodeError(bad);  // must not crash; a changed length or CRC byte is refused
    }
    Bytes badCrc = file;
    badCrc[8 + 8 + 13 + 2] ^= 1;  // the IHDR CRC
    EXPECT_NE(DecodeError(badCrc).find("CRC"), std::string::npos);
    EXPECT_EQ(DecodeError({}), "not a PNG file");
    PngImage image;
    std::string error;
    EXPECT_FALSE(DecodePng(nullptr, 0, image, error));
}

TEST(PngHostileTest, AbsurdSizesAreRefusedBeforeAnyAllocation) {
    EXPECT_EQ(DecodeError(MakePng(HeaderData(100000, 1, 8, 0), GreyRaw())), "image too large");
    EXPECT_EQ(DecodeError(MakePng(HeaderData(16384, 16384, 8, 6), GreyRaw())), "image too large");
    EXPECT_EQ(DecodeError(MakePng(HeaderData(0x80000000u, 1, 8, 0), GreyRaw())), "image size out of range");
    EXPECT_EQ(DecodeError(MakePng(HeaderData(0, 5, 8, 0), GreyRaw())), "image size out of range");
    PngDecodeOptions small;
    small.maxPixels = 7;
    EXPECT_EQ(DecodeError(MakePng(HeaderData(4, 2, 8, 0), GreyRaw()), small), "image too large");
    // A large honest header with almost no data: fails for lack of data.
    EXPECT_NE(DecodeError(MakePng(HeaderData(8000, 8000, 8, 6), GreyRaw())).find("ends early"), std::string::npos);
}

TEST(PngHostileTest, DataBeyondWhatTheImageNeedsIsABomb) {
    const Bytes bomb(10 * 1024 * 1024, 0);
    EXPECT_NE(DecodeError(MakePng(HeaderData(4, 2, 8, 0), bomb)).find("more data than expected"), std::string::npos);
    Bytes oneExtra = GreyRaw();
    oneExtra.push_back(0);
    EXPECT_NE(DecodeError(MakePng(HeaderData(4, 2, 8, 0), oneExtra)), "");

    std::vector<uint8_t> out;
    std::string error;
    const Bytes packed = Deflate(bomb);
    EXPECT_FALSE(InflateExactly(packed.data(), packed.size(), 1000, out, error));
    EXPECT_TRUE(InflateExactly(packed.data(), packed.size(), bomb.size(), out, error)) << error;
    EXPECT_EQ(out.size(), bomb.size());
    const Bytes garbage = {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0x00};
    EXPECT_FALSE(InflateExactly(garbage.data(), garbage.size(), 10, out, error));
}

TEST(PngHostileTest, BadHeadersFiltersAndPalettesAreRefusedBadTransparencyIgnored) {
    EXPECT_NE(DecodeError(MakePng(HeaderData(4, 2, 3, 0), GreyRaw())), "");     // depth 3
    EXPECT_NE(DecodeError(MakePng(HeaderData(4, 2, 8, 1), GreyRaw())), "");     // colour type 1
    EXPECT_NE(DecodeError(MakePng(HeaderData(4, 2, 4, 2), GreyRaw())), "");     // RGB at depth 4
    EXPECT_NE(DecodeError(MakePng(HeaderData(4, 2, 8, 0, 2), GreyRaw())), "");  // interlace 2
    Bytes badFilter = GreyRaw();
    badFilter[5] = 5;
    EXPECT_EQ(DecodeError(MakePng(HeaderData(4, 2, 8, 0), badFilter)), "unknown row filter type");

    const Bytes indexes = {0, 0x01, 0x23, 0, 0x45, 0x67};  // 4x2 at depth 4
    EXPECT_EQ(DecodeError(MakePng(HeaderData(4, 2, 4, 3), indexes)), "palette image without PLTE");
    EXPECT_EQ(DecodeError(MakePng(HeaderData(4, 2, 4, 3), indexes, {{"PLTE", {1, 2}}})), "bad PLTE length");

    // Transparency and stray palettes are ancillary: when invalid they are ignored.
    PngDecodeOptions straight;
    straight.premultiply = false;
    auto firstPixel = [&](const Bytes& file) {
        PngImage image;
        std::string error;
        EXPECT_TRUE(DecodePng(file.data(), file.size(), image, error, straight)) << error;
        return image.Empty() ? 0u : image.Pixel(0, 0);
    };
    const Bytes key = {0, 10};  // the grey value of the first pixel
    EXPECT_EQ(firstPixel(MakePng(HeaderData(4, 2, 8, 0), GreyRaw(), {{"tRNS", key}})), MakeArgb(0, 10, 10, 10));
    EXPECT_EQ(firstPixel(MakePng(HeaderData(4, 2, 8, 0), GreyRaw(), {{"tRNS", {10}}})), MakeArgb(255, 10, 10, 10));
    EXPECT_EQ(firstPixel(MakePng(HeaderData(4, 2, 8, 0), GreyRaw(), {{"PLTE", {1, 2, 3}}, {"tRNS", key}})),
              MakeArgb(0, 10, 10, 10));
    EXPECT_EQ(firstPixel(MakePng(HeaderData(4, 2, 4, 3), indexes, {{"PLTE", {1, 2, 3}}, {"tRNS", {1, 2}}})),
              MakeArgb(255, 1, 2, 3));
    Bytes late = PngSignature();
    AddChunk(late, "IHDR", HeaderData(4, 2, 8, 0));
    AddChunk(late, "IDAT", Deflate(GreyRaw()));
    AddChunk(late, "tRNS", key);
    AddChunk(late, "IEND", {});
    EXPECT_EQ(firstPixel(late), MakeArgb(255, 10, 10, 10)) << "a tRNS after the image data comes too late";

    // Indexes 1..7 lie beyond a one-entry palette: opaque black, as other decoders do.
    PngImage image;
    std::string error;
    const Bytes file = MakePng(HeaderData(4, 2, 4, 3), indexes, {{"PLTE", {9, 8, 7}}, {"tRNS", {100}}});
    ASSERT_TRUE(DecodePng(file.data(), file.size(), image, error, {16384, 16384, 1 << 20, false})) << error;
    EXPECT_EQ(image.Pixel(0, 0), MakeArgb(100, 9, 8, 7));
    EXPECT_EQ(image.Pixel(1, 0), MakeArgb(255, 0, 0, 0));
}

TEST(PngHostileTest, ChunksOutOfOrderAreRefused) {
    const Bytes header = HeaderData(4, 2, 8, 0);
    const Bytes idat = Deflate(GreyRaw());
    auto build = [&](const std::vector<std::pair<std::string, Bytes>>& chunks) {
        Bytes png = PngSignature();
        for (const auto& [type, data] : chunks)
            AddChunk(png, type, data);
        return png;
    };
    EXPECT_EQ(DecodeError(build({{"IDAT", idat}, {"IHDR", header}, {"IEND", {}}})), "IHDR is not the first chunk");
    EXPECT_EQ(DecodeError(build({{"IHDR", header}, {"IHDR", header}, {"IDAT", idat}, {"IEND", {}}})),
              "more than one IHDR");
    EXPECT_EQ(DecodeError(build({{"IHDR", header}, {"IEND", {}}})), "no image data");
    EXPECT_NE(DecodeError(build({{"IHDR", header}, {"IDAT", idat}})), "");  // no IEND
    EXPECT_EQ(DecodeError(build({{"IHDR", header},
                                 {"IDAT", Bytes(idat.begin(), idat.begin() + 5)},
                                 {"tEXt", {}},
                                 {"IDAT", Bytes(idat.begin() + 5, idat.end())},
                                 {"IEND", {}}})),
              "IDAT chunks are not consecutive");
    EXPECT_EQ(DecodeError(build({{"IHDR", header}, {"ABCD", {}}, {"IDAT", idat}, {"IEND", {}}})),
              "unknown critical chunk ABCD");
    EXPECT_EQ(DecodeError(build({{"IHDR", header}, {"ID1T", {}}, {"IDAT", idat}, {"IEND", {}}})), "bad chunk type");

    // Image data split over many IDAT chunks, one byte each, is fine.
    std::vector<std::pair<std::string, Bytes>> split = {{"IHDR", header}};
    for (uint8_t b : idat)
        split.push_back({"IDAT", {b}});
    split.push_back({"IEND", {}});
    EXPECT_EQ(DecodeError(build(split)), "");
}

}  // namespace
}  // namespace tallow::test
