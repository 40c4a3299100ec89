#include "toolkit/win/PictureWindow_win.h"

#include <cstring>

#include "toolkit/controls/PngForm.h"

namespace tallow {

void UpdatePictureWindow(HWND hwnd, TskPngForm& picture) {
    TPngImage& image = picture.PngImage();
    if (hwnd == nullptr || image.Empty())
        return;
    LONG_PTR ex = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
    if ((ex & WS_EX_LAYERED) == 0)
        SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = image.Width();
    bi.bmiHeader.biHeight = -image.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp != nullptr) {
        std::memcpy(bits, image.Pixels().data(), image.Pixels().size());
        HDC mem = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(mem, bmp);
        RECT win;
        GetWindowRect(hwnd, &win);
        POINT pos{win.left, win.top};
        SIZE size{image.Width(), image.Height()};
        POINT src{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(picture.AlphaValue()), AC_SRC_ALPHA};
        UpdateLayeredWindow(hwnd, screen, &pos, &size, mem, &src, 0, &blend, ULW_ALPHA);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bmp);
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace tallow
