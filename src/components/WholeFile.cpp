#include "components/WholeFile.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace tallow {

namespace {

struct TCloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFileHandle = std::unique_ptr<std::FILE, TCloseFile>;

// The size in 64 bits, so that a file beyond 2 GB is too large rather than unreadable.
std::int64_t FileSize(std::FILE* file) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    const std::int64_t size = _ftelli64(file);
    return _fseeki64(file, 0, SEEK_SET) == 0 ? size : -1;
#else
    if (fseeko(file, 0, SEEK_END) != 0)
        return -1;
    const std::int64_t size = ftello(file);
    return fseeko(file, 0, SEEK_SET) == 0 ? size : -1;
#endif
}

}  // namespace

WholeFileStatus ReadWholeFile(const std::string& path, std::size_t limit, std::string& content) {
    content.clear();
    const TFileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return WholeFileStatus::Missing;
    const std::int64_t size = FileSize(file.get());
    if (size < 0)
        return WholeFileStatus::Failed;
    if (static_cast<std::uint64_t>(size) > limit)
        return WholeFileStatus::TooLarge;
    content.resize(static_cast<std::size_t>(size));
    if (size > 0 && std::fread(content.data(), 1, content.size(), file.get()) != content.size()) {
        content.clear();
        return WholeFileStatus::Failed;
    }
    return WholeFileStatus::Read;
}

bool FileOpensForReading(const std::string& path) {
    return TFileHandle(std::fopen(path.c_str(), "rb")) != nullptr;
}

}  // namespace tallow
