#include "platform/AnsiText_win.h"

#include <windows.h>

namespace tallow {

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), n);
    return wide;
}

}  // namespace tallow
