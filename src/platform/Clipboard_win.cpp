#include <windows.h>

#include "platform/Clipboard.h"
#include "platform/WinServices.h"

namespace tallow {
namespace {

class TWinClipboard : public IClipboard {
  public:
    bool Open(WindowHandle owner) override { return OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE; }
    void Empty() override { EmptyClipboard(); }
    void Close() override { CloseClipboard(); }
    bool HasData() override { return CountClipboardFormats() > 0; }
};

}  // namespace

IClipboard& RealClipboard() {
    static TWinClipboard clipboard;
    return clipboard;
}

}  // namespace tallow
