#include <windows.h>

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

double FileTimeToDays(const FILETIME& ft) {
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&ft, &st)) {
        return 0;
    }
    return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

class TWinFiles : public IFiles {
public:
    std::optional<std::string> ReadFile(const std::string& path) const override {
        THandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
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

    bool WriteFile(const std::string& path, const std::string& content) override {
        THandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
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
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool RemoveFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

    bool Exists(const std::string& path) const override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool CreateFolders(const std::string& folder) override {
        const std::string path = WithoutTrailingSlash(folder);
        if (path.empty()) {
            return false;
        }
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        }
        const size_t slash = path.find_last_of("\\/");
        if (slash != std::string::npos && slash > 0) {
            CreateFolders(path.substr(0, slash));
        }
        return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
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
            THandle file(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, flags, nullptr));
            if (!file.valid()) {
                continue;
            }
            FILETIME created;
            if (GetFileTime(file.get(), &created, nullptr, nullptr)) {
                return FileTimeToDays(created);
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
