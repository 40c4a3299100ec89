#include <windows.h>

#include <shellapi.h>

#include "platform/RecycleBin.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

using EmptyRecycleBinFn = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
using QueryRecycleBinFn = HRESULT(WINAPI*)(LPCWSTR, LPSHQUERYRBINFO);
constexpr DWORD kNoConfirmationNoProgressNoSound = 7;

class TWinRecycleBin : public IRecycleBin {
  public:
    void EmptyAll(WindowHandle parent) override {
        HMODULE shell = LoadLibraryA("Shell32.dll");
        if (!shell)
            return;
        auto empty =
            reinterpret_cast<EmptyRecycleBinFn>(reinterpret_cast<void*>(GetProcAddress(shell, "SHEmptyRecycleBinA")));
        if (empty)
            empty(reinterpret_cast<HWND>(parent), "", kNoConfirmationNoProgressNoSound);
        FreeLibrary(shell);
    }

    std::optional<TRecycleBinContent> Query() override {
        HMODULE shell = LoadLibraryA("Shell32.dll");
        if (!shell)
            return std::nullopt;
        auto query =
            reinterpret_cast<QueryRecycleBinFn>(reinterpret_cast<void*>(GetProcAddress(shell, "SHQueryRecycleBinW")));
        SHQUERYRBINFO info = {};
        info.cbSize = sizeof info;
        // An empty root asks for the bins of all drives.
        const bool answered = query && SUCCEEDED(query(L"", &info));
        FreeLibrary(shell);
        if (!answered || info.i64NumItems < 0 || info.i64Size < 0)
            return std::nullopt;
        return TRecycleBinContent{std::uint64_t(info.i64NumItems), std::uint64_t(info.i64Size)};
    }
};

}  // namespace

IRecycleBin& RealRecycleBin() {
    static TWinRecycleBin bin;
    return bin;
}

}  // namespace tallow
