#include <windows.h>

#include "platform/FileTree.h"

namespace tallow {
namespace {

class TFindHandle {
public:
    explicit TFindHandle(HANDLE h) : h_(h) {}
    ~TFindHandle() {
        if (h_ != INVALID_HANDLE_VALUE)
            FindClose(h_);
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

class TWinFileTree : public IFileTree {
public:
    std::vector<TFileEntry> ListEntries(const std::string& folder) override {
        std::vector<TFileEntry> entries;
        WIN32_FIND_DATAA data;
        // Basic information (no short names) and large fetches: the listing is
        // the larger part of emptying a big folder tree.
        TFindHandle find(FindFirstFileExA((folder + "*.*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                          nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (find.get() == INVALID_HANDLE_VALUE)
            return entries;
        do {
            entries.push_back({data.cFileName, data.dwFileAttributes});
        } while (FindNextFileA(find.get(), &data));
        return entries;
    }

    bool DeleteFile(const std::string& path) override { return ::DeleteFileA(path.c_str()) != FALSE; }

    bool RemoveDirectory(const std::string& path) override { return ::RemoveDirectoryA(path.c_str()) != FALSE; }

    std::optional<std::uint32_t> Attributes(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return std::nullopt;
        return attributes;
    }

    std::string FullLongPath(const std::string& path) override {
        std::string full = Resolve(path, [](const char* in, DWORD n, char* out) {
            return GetFullPathNameA(in, n, out, nullptr);
        });
        return Resolve(full, [](const char* in, DWORD n, char* out) { return GetLongPathNameA(in, out, n); });
    }

private:
    // Calls a path function of the "size query, then fill" kind; `path` when it fails.
    template <class Fn>
    static std::string Resolve(const std::string& path, Fn fn) {
        DWORD needed = fn(path.c_str(), 0, nullptr);
        if (needed == 0)
            return path;
        std::string out(needed, '\0');
        DWORD written = fn(path.c_str(), needed, out.data());
        if (written == 0 || written >= needed)
            return path;
        out.resize(written);
        return out;
    }
};

}  // namespace

IFileTree& RealFileTree() {
    static TWinFileTree tree;
    return tree;
}

}  // namespace tallow
