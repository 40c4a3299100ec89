// Our decoder against libpng: images of every colour type, bit depth and interlace
// written by libpng, read back by libpng (expanded to 8-bit RGBA) and by us.
#include <gtest/gtest.h>
#include <png.h>

#include <random>

#include "PngBuilder.h"
#include "toolkit/image/PngDecoder.h"

namespace tallow::test {
namespace {

struct Format {
    int colorType;
    int depth;
    bool interlaced;
    int transparency;  // 0 none; palette: tRNS entries; grey/RGB: colour key
};

void WriteToVector(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

int Channels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGBA:
            return 4;
        default:
            return 1;
    }
}

// Random rows; palette indexes stay below the palette size. The first pixel of a
// keyed image is set to the key so that transparency is exercised.
std::vector<Bytes> RandomRows(const Format& f, int w, int h, int paletteSize, std::mt19937& rng) {
    const size_t rowBytes = (static_cast<size_t>(w) * Channels(f.colorType) * f.depth + 7) / 8;
    std::vector<Bytes> rows(h, Bytes(rowBytes));
    for (int y = 0; y < h; ++y) {
        for (auto& b : rows[y])
            b = static_cast<uint8_t>(rng());
        if (f.colorType == PNG_COLOR_TYPE_PALETTE) {
            const int perByte = 8 / f.depth;
            for (int x = 0; x < w; ++x) {
                const int shift = 8 - f.depth * (x % perByte + 1);
                uint8_t& byte = rows[y][x / perByte];
                const int index = static_cast<int>(rng() % paletteSize);
                byte = static_cast<uint8_t>((byte & ~(((1 << f.depth) - 1) << shift)) | (index << shift));
            }
        }
    }
    if (f.transparency && f.colorType != PNG_COLOR_TYPE_PALETTE)
        std::fill(rows[0].begin(), rows[0].begin() + (Channels(f.colorType) * f.depth + 7) / 8, 0x00);
    return rows;
}

Bytes WriteWithLibpng(const Format& f, int w, int h, std::mt19937& rng) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write";
        return {};
    }
    png_set_write_fn(png, &out, WriteToVector, nullptr);
    png_set_IHDR(png, info, w, h, f.depth, f.colorType, f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    const int paletteSize = f.colorType == PNG_COLOR_TYPE_PALETTE ? std::min(1 << f.depth, 200) : 0;
    std::vector<png_color> palette(paletteSize);
    std::vector<png_byte> alphas(f.transparency);
    png_color_16 key{};  // all zero: matches the zeroed first pixel
    if (paletteSize) {
        for (auto& c : palette)
            c = {static_cast<png_byte>(rng()), static_cast<png_byte>(rng()), static_cast<png_byte>(rng())};
        png_set_PLTE(png, info, palette.data(), paletteSize);
        for (auto& a : alphas)
            a = static_cast<png_byte>(rng());
        if (f.transparency)
            png_set_tRNS(png, info, alphas.data(), f.transparency, nullptr);
    } else if (f.transparency) {
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    std::vector<Bytes> rows = RandomRows(f, w, h, std::max(paletteSize, 1), rng);
    std::vector<png_bytep> pointers;
    for (auto& r : rows)
        pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct Reader {
    const Bytes* data;
    size_t pos;
};

void ReadFromVector(png_structp png, png_bytep out, png_size_t size) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (r->pos + size > r->data->size())
        png_error(png, "read past end");
    std::copy_n(r->data->data() + r->pos, size, out);
    r->pos += size;
}

// libpng's reading, expanded to straight 8-bit RGBA, as 0xAARRGGBB.
std::vector<uint32_t> ReadWithLibpng(const Bytes& file) {
    std::vector<uint32_t> pixels;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Reader reader{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        ADD_FAILURE() << "libpng could not read";
        return {};
    }
    png_set_read_fn(png, &reader, ReadFromVector);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int w = static_cast<int>(png_get_image_width(png, info));
    const int h = static_cast<int>(png_get_image_height(png, info));
    std::vector<Bytes> rows(h, Bytes(static_cast<size_t>(w) * 4));
    std::vector<png_bytep> pointers;
    for (auto& r : rows)
        pointers.push_back(r.data());
    png_read_image(png, pointers.data());
    png_destroy_read_struct(&png, &info, nullptr);
    for (const Bytes& row : rows) {
        for (int x = 0; x < w; ++x)
            pixels.push_back(MakeArgb(row[x * 4 + 3], row[x * 4], row[x * 4 + 1], row[x * 4 + 2]));
    }
    return pixels;
}

std::vector<Format> AllFormats() {
    const std::vector<std::pair<int, std::vector<int>>> depths = {{PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}},
                                                                  {PNG_COLOR_TYPE_RGB, {8, 16}},
                                                                  {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},
                                                                  {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
                                                                  {PNG_COLOR_TYPE_RGBA, {8, 16}}};
    std::vector<Format> formats;
    for (const auto& [type, list] : depths) {
        for (int depth : list) {
            for (bool interlaced : {false, true}) {
                formats.push_back({type, depth, interlaced, 0});
                if (type == PNG_COLOR_TYPE_PALETTE)
                    formats.push_back({type, depth, interlaced, 1 << (depth - 1)});  // part of the palette
                else if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_RGB)
                    formats.push_back({type, depth, interlaced, 1});
            }
        }
    }
    return formats;
}

TEST(PngOracleTest, EveryFormatDecodesLikeLibpng) {
    std::mt19937 rng(20261209);
    const std::vector<std::pair<int, int>> sizes = {{1, 1}, {3, 2}, {13, 7}, {37, 21}};
    for (const Format& f : AllFormats()) {
        for (const auto& [w, h] : sizes) {
            const Bytes file = WriteWithLibpng(f, w, h, rng);
            const std::vector<uint32_t> expected = ReadWithLibpng(file);
            PngImage image;
            std::string error;
            PngDecodeOptions straight;
            straight.premultiply = false;
            const std::string what = "type " + std::to_string(f.colorType) + " depth " + std::to_string(f.depth) +
                                     (f.interlaced ? " interlaced" : "") + " trns " + std::to_string(f.transparency) +
                                     " size " + std::to_string(w) + "x" + std::to_string(h);
            ASSERT_TRUE(DecodePng(file.data(), file.size(), image, error, straight)) << what << ": " << error;
            ASSERT_EQ(image.width, w) << what;
            ASSERT_EQ(image.height, h) << what;
            ASSERT_EQ(image.pixels, expected) << what;
        }
    }
}

TEST(PngOracleTest, PremultipliedOutputScalesColoursByAlpha) {
    std::mt19937 rng(7);
    const Bytes file = WriteWithLibpng({PNG_COLOR_TYPE_RGBA, 8, false, 0}, 16, 16, rng);
    PngImage image;
    std::string error;
    ASSERT_TRUE(DecodePng(file.data(), file.size(), image, error));
    EXPECT_TRUE(image.premultiplied);
    const std::vector<uint32_t> straight = ReadWithLibpng(file);
    for (size_t i = 0; i < straight.size(); ++i) {
        const uint32_t s = straight[i], p = image.pixels[i];
        const int a = AlphaOf(s);
        ASSERT_EQ(AlphaOf(p), a);
        ASSERT_EQ(RedOf(p), (RedOf(s) * a + 127) / 255);
        ASSERT_EQ(BlueOf(p), (BlueOf(s) * a + 127) / 255);
        ASSERT_LE(RedOf(p), a) << "premultiplied colour never exceeds alpha";
    }
}

}  // namespace
}  // namespace tallow::test
