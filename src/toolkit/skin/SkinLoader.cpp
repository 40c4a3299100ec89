#include "toolkit/skin/SkinLoader.h"

#include <new>

#include "components/TextCase.h"
#include "components/WholeFile.h"
#include "toolkit/image/PngDecoder.h"
#include "toolkit/skin/SkinFile.h"
#include "toolkit/skin/SkinText.h"

namespace tallow {

// The packed built-in skin, generated at build time from the skin sources.
extern const uint8_t kBuiltInSkinData[];
extern const size_t kBuiltInSkinSize;

namespace {

const SkinEntry* FindEntry(const std::vector<SkinEntry>& entries, const std::string& name) {
    for (const SkinEntry& e : entries) {
        if (SameText(e.name, name))
            return &e;
    }
    return nullptr;
}

// Decodes each picture entry once, however many image keys name it, and within the
// skin's pixel budget.
std::string LoadImages(const std::vector<SkinEntry>& entries,
                       const std::map<std::string, std::string>& files,
                       SkinTheme& theme) {
    PngDecodeOptions options;
    options.maxWidth = options.maxHeight = kSkinImageMaxSide;
    uint64_t pixelsLeft = kSkinMaxPixels;
    std::map<const SkinEntry*, std::shared_ptr<const PngImage>> decoded;
    for (const auto& [key, file] : files) {
        const SkinEntry* entry = FindEntry(entries, file);
        if (!entry)
            return "image " + key + ": no entry \"" + file + "\"";
        std::shared_ptr<const PngImage>& picture = decoded[entry];
        if (!picture) {
            auto image = std::make_shared<PngImage>();
            std::string error;
            options.maxPixels = pixelsLeft;
            if (!DecodePng(entry->data.data(), entry->data.size(), *image, error, options))
                return "image " + key + ": " + error +
                       (pixelsLeft < kSkinMaxPixels ? " for what is left of the skin's pixel budget" : "");
            pixelsLeft -= image->pixels.size();
            picture = std::move(image);
        }
        theme.images[key] = picture;
    }
    return "";
}

SkinLoadResult LoadSkinThemeBounded(const uint8_t* data, size_t size, const SkinTheme& base, SkinTheme& out) {
    SkinLoadResult result;
    std::vector<SkinEntry> entries;
    if (!ReadSkinFile(data, size, entries, result.error))
        return result;
    const SkinEntry* text = FindEntry(entries, kSkinTextEntry);
    if (!text) {
        result.error = "skin file without skin.ini";
        return result;
    }
    SkinTheme theme = base;
    const std::string_view table(reinterpret_cast<const char*>(text->data.data()), text->data.size());
    SkinTextResult parsed = ParseSkinText(table, theme);
    result.unknownKeys = std::move(parsed.unknownKeys);
    result.error = parsed.error.empty() ? LoadImages(entries, parsed.imageFiles, theme) : parsed.error;
    if (result.ok())
        out = std::move(theme);
    return result;
}

}  // namespace

SkinLoadResult LoadSkinTheme(const uint8_t* data, size_t size, const SkinTheme& base, SkinTheme& out) {
    try {
        return LoadSkinThemeBounded(data, size, base, out);
    } catch (const std::bad_alloc&) {
        // The bounds on what a skin builds keep it far below what a machine holds; should
        // memory still run out, the skin in use stays as it is.
        SkinLoadResult result;
        result.error = "out of memory while reading the skin";
        return result;
    }
}

SkinLoadResult LoadSkinThemeFile(const std::string& path, const SkinTheme& base, SkinTheme& out) {
    SkinLoadResult result;
    std::string bytes;
    switch (ReadWholeFile(path, kSkinMaxFileSize, bytes)) {
        case WholeFileStatus::Read:
            return LoadSkinTheme(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), base, out);
        case WholeFileStatus::Missing:
            result.error = "cannot open " + path;
            return result;
        case WholeFileStatus::TooLarge:
            result.error = "skin file too large";
            return result;
        case WholeFileStatus::Failed:
            break;
    }
    result.error = "cannot read " + path;
    return result;
}

const SkinTheme& BuiltInSkinTheme() {
    static const SkinTheme theme = [] {
        SkinTheme t;
        LoadSkinTheme(kBuiltInSkinData, kBuiltInSkinSize, SkinTheme(), t);  // tested to succeed
        return t;
    }();
    return theme;
}

}  // namespace tallow
