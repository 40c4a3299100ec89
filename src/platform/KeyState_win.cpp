#include <windows.h>

#include "platform/WinServices.h"

namespace tallow {

namespace {

class TWinKeyState : public IKeyState {
  public:
    bool IsDown(Key key) const override {
        const int vk = key == Key::Control ? VK_CONTROL : VK_SHIFT;
        return (GetKeyState(vk) & 0x8000) != 0;
    }
};

}  // namespace

IKeyState& WinKeyState() {
    static TWinKeyState keys;
    return keys;
}

}  // namespace tallow
