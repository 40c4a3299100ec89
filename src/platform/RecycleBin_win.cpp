#include <windows.h>

#include "platform/RecycleBin.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

using EmptyRecycleBinFn = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
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
};

}  // namespace

IRecycleBin& RealRecycleBin() {
    static TWinRecycleBin bin;
    return bin;
}

}  // namespace tallow
