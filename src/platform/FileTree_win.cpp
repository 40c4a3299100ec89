#include <windows.h>

#include <winternl.h>

#include "platform/AnsiText_win.h"
#include "platform/FileTree.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

constexpr NTSTATUS kAccessDenied = static_cast<NTSTATUS>(0xC0000022);
constexpr NTSTATUS kSharingViolation = static_cast<NTSTATUS>(0xC0000043);
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE AsHandle(FolderHandle folder) {
    return reinterpret_cast<HANDLE>(folder);
}

FolderHandle AsFolder(HANDLE handle) {
    return reinterpret_cast<FolderHandle>(handle);
}

// The ANSI form of `name`; nothing when the code page holds it only by "best fit" or
// not at all, since such a form names another entry, or a path.
std::optional<std::string> ExactAnsi(const std::wstring& name) {
    BOOL lossy = FALSE;
    int n =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), int(name.size()), nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy)
        return std::nullopt;
    std::string ansi(n, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), int(name.size()), ansi.data(), n, nullptr, &lossy);
    if (lossy || AnsiToWide(ansi) != name)
        return std::nullopt;
    return ansi;
}

// Basic information only: GetFileInformationByHandle also asks for the volume's
// serial number, which costs more than the rest of a folder's walk on some systems.
std::optional<std::uint32_t> HandleAttributes(HANDLE handle) {
    FILE_BASIC_INFO info = {};
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info))
        return std::nullopt;
    return info.FileAttributes;
}

// Opens `name` relative to the folder `parent` (NtCreateFile with the parent as root
// directory): the name is never joined into a path, so it reaches no other folder.
NTSTATUS OpenRelative(HANDLE parent, const std::wstring& name, ACCESS_MASK access, ULONG options, HANDLE& out) {
    UNICODE_STRING unicodeName;
    unicodeName.Buffer = const_cast<wchar_t*>(name.c_str());
    unicodeName.Length = unicodeName.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &unicodeName, OBJ_CASE_INSENSITIVE, parent, nullptr);
    IO_STATUS_BLOCK status = {};
    out = nullptr;
    return NtCreateFile(&out, access | SYNCHRONIZE, &attributes, &status, nullptr, 0, kShareAll, FILE_OPEN,
                        options | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT, nullptr, 0);
}

bool MarkForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO dispose = {TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

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

// Lists `pattern` with FindFirstFileW (no flags that older systems refuse);
// nothing when the listing fails.
std::optional<std::vector<TWideEntry>> FindAll(const std::wstring& pattern) {
    std::vector<TWideEntry> entries;
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return entries;
        return std::nullopt;
    }
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({std::move(name), data.dwFileAttributes,
                               (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return std::nullopt;
    return entries;
}

//--- The file tree ------------------------------------------------------------

class TWinFileTree : public IFileTree {
  public:
    std::vector<TFileEntry> ListEntries(const std::string& folder) override {
        std::vector<TFileEntry> entries;
        auto wide = FindAll(AnsiToWide(folder) + L"*");
        if (!wide)
            return entries;
        for (const TWideEntry& entry : *wide) {
            auto name = IsSafeChildName(entry.name) ? ExactAnsi(entry.name) : std::nullopt;
            if (name)
                entries.push_back({*name, entry.attributes, entry.size});
        }
        return entries;
    }

    bool DeleteFile(const std::string& path) override { return ::DeleteFileW(AnsiToWide(path).c_str()) != FALSE; }

    std::optional<std::uint32_t> Attributes(const std::string& path) override {
        DWORD attributes = GetFileAttributesW(AnsiToWide(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return std::nullopt;
        return attributes;
    }

    std::optional<std::uint64_t> FileSize(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(AnsiToWide(path).c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    bool IsHeldOpen(const std::string& path) override {
        HANDLE file = CreateFileW(AnsiToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_SHARING_VIOLATION;
        CloseHandle(file);
        return false;
    }

    std::wstring WidePath(const std::string& path) override { return AnsiToWide(path); }

    FolderHandle OpenFolder(const std::wstring& path) override {
        HANDLE folder = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folder == INVALID_HANDLE_VALUE)
            return 0;
        auto attributes = HandleAttributes(folder);
        if (!attributes || !(*attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            CloseHandle(folder);
            return 0;
        }
        return AsFolder(folder);
    }

    std::optional<std::wstring> FinalPath(FolderHandle folder) override {
        std::wstring path(MAX_PATH, L'\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            DWORD n = GetFinalPathNameByHandleW(AsHandle(folder), path.data(), DWORD(path.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            if (n == 0)
                return std::nullopt;
            if (n < path.size()) {
                path.resize(n);
                return path;
            }
            path.resize(n);  // n is the size needed, with the terminating null
        }
        return std::nullopt;
    }

    std::optional<std::vector<TWideEntry>> List(FolderHandle folder) override {
        std::vector<TWideEntry> entries;
        // 64 KiB of records per call; 8-byte aligned, as the records require.
        std::vector<LONGLONG> buffer(8192);
        for (;;) {
            if (!GetFileInformationByHandleEx(AsHandle(folder), FileIdBothDirectoryInfo, buffer.data(),
                                              DWORD(buffer.size() * sizeof(LONGLONG)))) {
                DWORD error = GetLastError();
                if (error == ERROR_NO_MORE_FILES || (error == ERROR_FILE_NOT_FOUND && entries.empty()))
                    return entries;
                // A file system that refuses listing by handle is listed by the folder's
                // final path, which names the folder this handle holds.
                if (entries.empty() && (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
                                        error == ERROR_INVALID_FUNCTION))
                    return ListByFinalPath(folder);
                return std::nullopt;
            }
            const auto* bytes = reinterpret_cast<const char*>(buffer.data());
            for (;;) {
                const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
                std::wstring name(record->FileName, record->FileNameLength / sizeof(wchar_t));
                if (name != L"." && name != L"..")
                    entries.push_back({std::move(name), record->FileAttributes,
                                       static_cast<std::uint64_t>(record->EndOfFile.QuadPart)});
                if (record->NextEntryOffset == 0)
                    break;
                bytes += record->NextEntryOffset;
            }
        }
    }

    TChildKind OpenChild(FolderHandle parent, const std::wstring& name, FolderHandle& child) override {
        child = 0;
        HANDLE opened = nullptr;
        const ULONG options = FILE_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT;
        NTSTATUS status =
            OpenRelative(AsHandle(parent), name, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | DELETE, options, opened);
        if (status == kSharingViolation || status == kAccessDenied)  // emptied, yet not removable
            status = OpenRelative(AsHandle(parent), name, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, options, opened);
        if (!NT_SUCCESS(status))
            return TChildKind::kFailed;
        auto attributes = HandleAttributes(opened);
        if (!attributes || !(*attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            CloseHandle(opened);
            return TChildKind::kFailed;
        }
        if (*attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            CloseHandle(opened);
            return TChildKind::kLink;
        }
        child = AsFolder(opened);
        return TChildKind::kFolder;
    }

    bool DeleteChildFile(FolderHandle parent, const std::wstring& name) override {
        HANDLE file = nullptr;
        // Deleted when closed: the one handle that was opened, on the entry itself.
        NTSTATUS status = OpenRelative(AsHandle(parent), name, DELETE,
                                       FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_DELETE_ON_CLOSE, file);
        if (!NT_SUCCESS(status))
            return false;
        CloseHandle(file);
        return true;
    }

    bool RemoveChildLink(FolderHandle parent, const std::wstring& name) override {
        HANDLE link = nullptr;
        if (!NT_SUCCESS(
                OpenRelative(AsHandle(parent), name, DELETE | FILE_READ_ATTRIBUTES, FILE_OPEN_REPARSE_POINT, link)))
            return false;
        // Only a handle on the link itself may be marked for deletion. A system that
        // ignores FILE_OPEN_REPARSE_POINT hands out the target instead (Wine does),
        // and deleting through that handle would delete the target.
        auto attributes = HandleAttributes(link);
        bool removed = attributes && (*attributes & FILE_ATTRIBUTE_REPARSE_POINT) && MarkForDeletion(link);
        CloseHandle(link);
        return removed;
    }

    bool CloseFolder(FolderHandle folder, bool remove) override {
        bool removed = remove && MarkForDeletion(AsHandle(folder));
        CloseHandle(AsHandle(folder));
        return removed;
    }

  private:
    std::optional<std::vector<TWideEntry>> ListByFinalPath(FolderHandle folder) {
        auto path = FinalPath(folder);
        if (!path)
            return std::nullopt;
        return FindAll(*path + L"\\*");
    }
};

}  // namespace

IFileTree& RealFileTree() {
    static TWinFileTree tree;
    return tree;
}

}  // namespace tallow
