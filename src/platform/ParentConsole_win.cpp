#include <windows.h>

#include <algorithm>

#include "platform/AnsiText_win.h"
#include "platform/WinServices.h"

namespace tallow {

namespace {

// A standard handle that leads to a file or a pipe (a redirection), not to a console.
bool IsRedirected(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD type = GetFileType(handle);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

bool WriteAll(HANDLE handle, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

class TWinParentConsole : public IParentConsole {
  public:
    ~TWinParentConsole() override {
        if (console_ != INVALID_HANDLE_VALUE) {
            CloseHandle(console_);
        }
    }

    bool Write(ConsoleStream stream, const std::string& text) override {
        HANDLE standard = GetStdHandle(stream == ConsoleStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
        if (IsRedirected(standard)) {
            return WriteAll(standard, text);
        }
        HANDLE console = ParentConsole();
        if (console == INVALID_HANDLE_VALUE) {
            return false;
        }
        const std::wstring wide = AnsiToWide(text);
        DWORD written = 0;
        return wide.empty() || WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }

  private:
    // The parent's console, attached once; INVALID_HANDLE_VALUE when there is none.
    HANDLE ParentConsole() {
        if (!attachTried_) {
            attachTried_ = true;
            if (AttachConsole(ATTACH_PARENT_PROCESS)) {
                console_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
            }
        }
        return console_;
    }

    bool attachTried_ = false;
    HANDLE console_ = INVALID_HANDLE_VALUE;
};

}  // namespace

IParentConsole& WinParentConsole() {
    static TWinParentConsole console;
    return console;
}

}  // namespace tallow
