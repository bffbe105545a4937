#include "platform/image_list.h"

#include <cstdint>
#include <vector>

#include "platform/application.h"

namespace tw::ui {

HICON ImageList::LoadIcon(int index, int size) const {
    if (index < 0 || index >= Count()) return nullptr;
    // The icon group holds several drawn sizes; the system picks the closest one.
    return static_cast<HICON>(LoadImageW(Application::Instance().InstanceHandle(),
                                         MAKEINTRESOURCEW(iconIds_[static_cast<size_t>(index)]), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}

HBITMAP IconPicture(int iconId, int size) {
    ImageList single({iconId});
    HICON icon = single.LoadIcon(0, size);
    if (!icon) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mask = CreateDIBSection(screen, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !mask) {
        if (bitmap) DeleteObject(bitmap);
        if (mask) DeleteObject(mask);
        DestroyIcon(icon);
        return nullptr;
    }
    // The colours with their alpha, then the icon's mask alone for icons without an alpha
    // channel: white where the background shows.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_IMAGE);
    SelectObject(dc, mask);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_MASK);
    SelectObject(dc, old);
    DeleteDC(dc);
    DestroyIcon(icon);

    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::vector<std::uint32_t> maskPixels(static_cast<size_t>(size) * static_cast<size_t>(size));
    HDC screenDc = GetDC(nullptr);
    GetDIBits(screenDc, mask, 0, static_cast<UINT>(size), maskPixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screenDc);
    DeleteObject(mask);
    bool hasAlpha = false;
    for (size_t i = 0; i < maskPixels.size(); ++i) hasAlpha = hasAlpha || (pixels[i] >> 24) != 0;
    for (size_t i = 0; i < maskPixels.size(); ++i) {
        std::uint32_t p = pixels[i];
        std::uint32_t alpha = hasAlpha ? p >> 24 : ((maskPixels[i] & 0xFFFFFF) ? 0 : 255);
        auto channel = [&](int shift) { return (((p >> shift) & 0xFF) * alpha / 255) << shift; };
        pixels[i] = (alpha << 24) | channel(16) | channel(8) | channel(0);
    }
    return bitmap;
}

}  // namespace tw::ui
