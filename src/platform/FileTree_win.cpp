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

    bool RemoveLink(const std::string& path) override {
        HANDLE link = CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (link == INVALID_HANDLE_VALUE)
            return false;
        // Only a handle on the link itself may be marked for deletion. A system that
        // ignores FILE_FLAG_OPEN_REPARSE_POINT hands out the target instead (Wine
        // does), and deleting through that handle would delete the target.
        BY_HANDLE_FILE_INFORMATION info = {};
        bool isLink = GetFileInformationByHandle(link, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        FILE_DISPOSITION_INFO dispose = {TRUE};
        bool removed = isLink && SetFileInformationByHandle(link, FileDispositionInfo, &dispose, sizeof dispose);
        CloseHandle(link);
        return removed;
    }

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
