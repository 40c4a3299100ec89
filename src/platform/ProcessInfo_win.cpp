#include <windows.h>

#include <cstdlib>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinProcessInfo : public IProcessInfo {
  public:
    std::string ModuleFileName() const override {
        std::string buffer(MAX_PATH, '\0');
        for (;;) {
            DWORD got = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (got == 0) {
                return std::string();
            }
            if (got < buffer.size()) {
                buffer.resize(got);
                return buffer;
            }
            buffer.resize(buffer.size() * 2);
        }
    }

    std::vector<std::string> Parameters() const override {
        std::vector<std::string> params;
        for (int i = 1; i < __argc; ++i) {
            params.emplace_back(__argv[i] ? __argv[i] : "");
        }
        return params;
    }

    std::uint32_t CurrentProcessId() const override { return GetCurrentProcessId(); }
    std::uint32_t CurrentThreadId() const override { return GetCurrentThreadId(); }
};

}  // namespace

IProcessInfo& WinProcessInfo() {
    static TWinProcessInfo info;
    return info;
}

}  // namespace tallow
