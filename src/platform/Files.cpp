// Portable parts of the file services: fallbacks for services that have no
// more exact form on a platform, and the file-time conversion.
#include "platform/Files.h"

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
