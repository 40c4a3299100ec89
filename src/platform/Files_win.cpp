#include <windows.h>

#include "platform/AnsiText_win.h"
#include "platform/WinServices.h"

namespace tallow {

namespace {

class THandle {
  public:
    explicit THandle(HANDLE h) : h_(h) {}
    ~THandle() {
        if (valid()) {
            CloseHandle(h_);
        }
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

const DWORD kAllSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file another writer holds for a moment (a reader without delete sharing,
// a replace in progress) is tried again for about a second.
bool IsBriefConflict(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

const int kConflictRetries = 20;
const DWORD kConflictPauseMs = 50;

HANDLE OpenForReading(const std::string& path) {
    const std::wstring wide = AnsiToWide(path);
    for (int attempt = 0;; ++attempt) {
        HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, kAllSharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || attempt == kConflictRetries) {
            return h;
        }
        Sleep(kConflictPauseMs);
    }
}

// Names from settings and shipped files may name a device (COM1, a pipe, the
// console): opening one returns at once, but a read can wait for ever. Only a
// regular file on disk is read; a folder opened some other way counts as none.
// The basic information carries the attributes without the volume's serial
// number, whose look-up (a trip to the mount manager under Wine) cost each file
// the program reads at start-up more than reading it.
bool IsDiskFile(HANDLE h) {
    FILE_BASIC_INFO info = {};
    return GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandleEx(h, FileBasicInfo, &info, sizeof info) &&
           (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

class TWinFileLock : public IFileLock {
  public:
    explicit TWinFileLock(HANDLE h) : h_(h) {}
    ~TWinFileLock() override { CloseHandle(h_); }
    TWinFileLock(const TWinFileLock&) = delete;
    TWinFileLock& operator=(const TWinFileLock&) = delete;

  private:
    HANDLE h_;
};

class TWinFiles : public IFiles {
  public:
    std::optional<std::string> ReadFile(const std::string& path) const override {
        THandle file(OpenForReading(path));
        if (!file.valid() || !IsDiskFile(file.get())) {
            return std::nullopt;
        }
        std::string content;
        char buffer[65536];
        DWORD got = 0;
        while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
            content.append(buffer, got);
        }
        return content;
    }

    TFileRead ReadFileUpTo(const std::string& path, std::size_t limit) const override {
        TFileRead result;
        THandle file(OpenForReading(path));
        if (!file.valid()) {
            const DWORD error = GetLastError();
            result.status = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReadStatus::Missing
                                                                                           : FileReadStatus::Failed;
            return result;
        }
        LARGE_INTEGER size;
        if (!IsDiskFile(file.get()) || !GetFileSizeEx(file.get(), &size)) {
            result.status = FileReadStatus::Failed;
            return result;
        }
        if (static_cast<unsigned long long>(size.QuadPart) > limit) {
            result.status = FileReadStatus::TooLarge;
            return result;
        }
        std::string content(static_cast<size_t>(size.QuadPart) + 1, '\0');  // one more: a file that grew shows it
        size_t done = 0;
        DWORD got = 0;
        while (
            done < content.size() &&
            ::ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done), &got, nullptr) &&
            got > 0) {
            done += got;
        }
        if (done > limit) {
            result.status = FileReadStatus::TooLarge;
            return result;
        }
        content.resize(done);
        result.status = FileReadStatus::Read;
        result.content = std::move(content);
        return result;
    }

    bool WriteFile(const std::string& path, const std::string& content) override {
        THandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            return false;
        }
        size_t done = 0;
        while (done < content.size()) {
            DWORD wrote = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
            if (!::WriteFile(file.get(), content.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
                return false;
            }
            done += wrote;
        }
        return FlushFileBuffers(file.get()) != 0;
    }

    bool MoveReplacing(const std::string& from, const std::string& to) override {
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return true;
            }
            if (!IsBriefConflict(GetLastError()) || attempt == kConflictRetries) {
                return false;
            }
            Sleep(kConflictPauseMs);
        }
    }

    // Deletions take the wide path, so no code-page "best fit" can turn a
    // character of the name into a path separator.
    bool RemoveFile(const std::string& path) override { return DeleteFileW(AnsiToWide(path).c_str()) != 0; }

    bool RemoveLeftOver(const std::string& path) override {
        const std::wstring wide = AnsiToWide(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            SetFileAttributesW(wide.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveDirectoryW(wide.c_str());
        } else {
            DeleteFileW(wide.c_str());
        }
        return GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES;
    }

    std::unique_ptr<IFileLock> LockFile(const std::string& path) override {
        // No sharing: a second opener, in this process or another, waits. The
        // file goes with the last handle, also when its holder dies.
        for (int attempt = 0;; ++attempt) {
            HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                return std::make_unique<TWinFileLock>(h);
            }
            if (!IsBriefConflict(GetLastError()) || attempt == 4 * kConflictRetries) {
                return nullptr;
            }
            Sleep(kConflictPauseMs);
        }
    }

    std::string WideToAnsi(std::u16string_view text) const override {
        if (text.empty()) {
            return std::string();
        }
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int length = static_cast<int>(text.size());
        // No best fit: a full-width solidus must not turn into a path separator.
        DWORD flags = WC_NO_BEST_FIT_CHARS;
        int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
        if (size == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
            flags = 0;  // code pages such as UTF-8 take no flags
            size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
        }
        std::string ansi(static_cast<size_t>(size), '\0');
        if (size > 0) {
            WideCharToMultiByte(CP_ACP, flags, wide, length, ansi.data(), size, nullptr, nullptr);
        }
        return ansi;
    }

    bool Exists(const std::string& path) const override {
        return GetFileAttributesW(AnsiToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool CreateFolders(const std::string& folder) override {
        const std::string path = WithoutTrailingSlash(folder);
        if (path.empty()) {
            return false;
        }
        const DWORD attributes = GetFileAttributesW(AnsiToWide(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        }
        const size_t slash = path.find_last_of("\\/");
        if (slash != std::string::npos && slash > 0) {
            CreateFolders(path.substr(0, slash));
        }
        return CreateDirectoryW(AnsiToWide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    }

    std::string LongPathName(const std::string& path) const override {
        DWORD size = GetLongPathNameA(path.c_str(), nullptr, 0);
        if (size == 0) {
            return std::string();
        }
        std::string buffer(size, '\0');
        DWORD got = GetLongPathNameA(path.c_str(), buffer.data(), size);
        if (got == 0 || got >= size) {
            return std::string();
        }
        buffer.resize(got);
        return buffer;
    }

    std::optional<double> CreationTime(const std::string& path) const override {
        const std::string target = WithoutTrailingSlash(path);
        for (DWORD flags : {DWORD(FILE_ATTRIBUTE_NORMAL), DWORD(FILE_FLAG_BACKUP_SEMANTICS)}) {
            THandle file(
                CreateFileA(target.c_str(), GENERIC_READ, kAllSharing, nullptr, OPEN_EXISTING, flags, nullptr));
            if (!file.valid()) {
                continue;
            }
            FILETIME created;
            if (GetFileTime(file.get(), &created, nullptr, nullptr)) {
                return FileTimeToDays((std::uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime);
            }
            return std::nullopt;
        }
        return std::nullopt;
    }
};

}  // namespace

IFiles& WinFiles() {
    static TWinFiles files;
    return files;
}

}  // namespace tallow
