// libFuzzer entry for the settings file reader (byte-order marks, UTF-16,
// sections, kept lines) and its writer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/IniDocument.h"

namespace {

// Settings files larger than this are refused by the store unread.
const size_t kMaxSettingsFileSize = 1 << 20;

std::string AsciiOnly(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

}  // namespace

// Reads one input as the store does, aborts on a broken invariant; true when
// the input was accepted. A saved document reads back to the same document
// (so a second save changes nothing), and a written key reads back.
bool TallowFuzzLoad(const uint8_t* data, size_t size) {
    if (size > kMaxSettingsFileSize) {
        return false;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tallow::TIniDocument doc = tallow::TIniDocument::Parse(tallow::IniTextToAnsi(bytes, AsciiOnly));
    const std::string saved = doc.Serialize();
    if (tallow::TIniDocument::Parse(saved).Serialize() != saved) {
        std::abort();
    }
    if (!doc.Set("setting", "Fuzz.Key", bytes.substr(0, 64)) || !doc.Find("SETTING", "fuzz.key")) {
        std::abort();
    }
    const auto stored = doc.Find("setting", "Fuzz.Key");
    if (tallow::TIniDocument::Parse(doc.Serialize()).Find("setting", "fuzz.key") != stored) {
        std::abort();
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TallowFuzzLoad(data, size);
    return 0;
}
