// Portable parts of the file services: fallbacks for services that have no
// more exact form on a platform, the rules for names that come from settings,
// and the file-time conversion.
#include "platform/Files.h"

#include <algorithm>

namespace tallow {

TFileRead IFiles::ReadFileUpTo(const std::string& path, std::size_t limit) const {
    TFileRead result;
    auto content = ReadFile(path);
    if (!content) {
        result.status = Exists(path) ? FileReadStatus::Failed : FileReadStatus::Missing;
    } else if (content->size() > limit) {
        result.status = FileReadStatus::TooLarge;
    } else {
        result.status = FileReadStatus::Read;
        result.content = std::move(*content);
    }
    return result;
}

bool IFiles::RemoveLeftOver(const std::string& path) {
    return RemoveFile(path) || !Exists(path);
}

namespace {
class TNoLock : public IFileLock {};
}  // namespace

std::unique_ptr<IFileLock> IFiles::LockFile(const std::string&) {
    return std::make_unique<TNoLock>();  // a single process with a single thread needs no lock
}

std::string IFiles::WideToAnsi(std::u16string_view text) const {
    std::string ansi;
    ansi.reserve(text.size());
    for (char16_t c : text) {
        ansi += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return ansi;
}

//--- Names from settings ---------------------------------------------------------

namespace {

bool IsAsciiLetterMatch(char c, char upper) {
    return c == upper || (upper >= 'A' && upper <= 'Z' && c == upper - 'A' + 'a');
}

bool SameAsciiText(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsAsciiLetterMatch(text[i], upper[i])) {
            return false;
        }
    }
    return true;
}

// The system opens these names as devices in every folder, whatever extension
// follows them; blanks before the extension do not count either. COM and LPT
// take the digits 0 to 9 and the superscripts 1, 2 and 3 of the Latin code page.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (SameAsciiText(base, device)) {
            return true;
        }
    }
    if (base.size() != 4 || !(SameAsciiText(base.substr(0, 3), "COM") || SameAsciiText(base.substr(0, 3), "LPT"))) {
        return false;
    }
    const auto digit = static_cast<unsigned char>(base[3]);
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

bool IsForbiddenInName(unsigned char c) {
    static constexpr std::string_view kForbidden = "\\/:<>\"|?*";
    return c < 0x20 || c == 0x7F || kForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

bool IsBareFileName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') {
        return false;
    }
    for (char c : name) {
        if (IsForbiddenInName(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return !IsDeviceName(name);
}

bool IsRelativeSubfolder(std::string_view folder) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.remove_suffix(1);
    }
    if (folder.empty()) {
        return false;
    }
    size_t start = 0;
    while (start <= folder.size()) {
        const size_t end = std::min(folder.find_first_of("\\/", start), folder.size());
        if (!IsBareFileName(folder.substr(start, end - start))) {
            return false;  // also an empty part: a leading separator or a doubled one
        }
        start = end + 1;
    }
    return true;
}

//--- File times ----------------------------------------------------------------

std::optional<double> FileTimeToDays(std::uint64_t fileTime) {
    // Windows converts file times below 2^63 only; the day count of 1601-01-01 is -109205.
    constexpr std::uint64_t kTicksPerDay = 864000000000ull;
    if (fileTime == 0 || fileTime >= 0x8000000000000000ull) {
        return std::nullopt;
    }
    return static_cast<double>(fileTime / kTicksPerDay) - 109205.0 +
           static_cast<double>(fileTime % kTicksPerDay) / static_cast<double>(kTicksPerDay);
}

}  // namespace tallow
