#pragma once
// Pixels as a window shows them, read from its top-level window's own surface.
#include <windows.h>

#include <vector>

namespace tw::test {

// A rectangle of a top-level window's client area, children included, read from the window's own
// surface (the screen may not show the newest drawing yet).
inline std::vector<DWORD> Read(HWND hwnd, RECT r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC source = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, source);
    return pixels;
}

}  // namespace tw::test
