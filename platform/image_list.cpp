#include "platform/image_list.h"

#include <cstdint>
#include <cstring>
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

namespace {

// The records of an icon group resource, as the resource compiler writes them.
#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;  // 0 stands for 256
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

const void* ResourceBytes(HINSTANCE module, const wchar_t* name, const wchar_t* type, DWORD& size) {
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

// The picture an icon resource holds for exactly this size in 32-bit colour with alpha, as a
// bitmap; null when it holds none (the system then scales another size of it). Taken straight
// from the resource, it is what the system's icon of that size would show, without making an
// icon, whose copies ask the display again and again under some systems.
HBITMAP StoredPicture(int iconId, int size) {
    HINSTANCE module = Application::Instance().InstanceHandle();
    DWORD groupSize = 0;
    const auto* group =
        static_cast<const BYTE*>(ResourceBytes(module, MAKEINTRESOURCEW(iconId), RT_GROUP_ICON, groupSize));
    if (!group || groupSize < sizeof(IconGroupHeader)) return nullptr;
    IconGroupHeader header;
    std::memcpy(&header, group, sizeof(header));
    if (groupSize < sizeof(header) + header.count * sizeof(IconGroupEntry)) return nullptr;
    for (WORD i = 0; i < header.count; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, group + sizeof(header) + i * sizeof(IconGroupEntry), sizeof(entry));
        const int width = entry.width ? entry.width : 256;
        const int height = entry.height ? entry.height : 256;
        if (width != size || height != size || entry.bitCount != 32) continue;

        DWORD imageSize = 0;
        const auto* image =
            static_cast<const BYTE*>(ResourceBytes(module, MAKEINTRESOURCEW(entry.id), RT_ICON, imageSize));
        BITMAPINFOHEADER stored{};
        if (!image || imageSize < sizeof(stored)) return nullptr;
        std::memcpy(&stored, image, sizeof(stored));
        // An icon image is a bitmap of twice the height (colours, then the mask); a PNG image
        // or any other form is left to the system.
        const size_t colourBytes = static_cast<size_t>(size) * static_cast<size_t>(size) * 4;
        if (stored.biSize != sizeof(stored) || stored.biWidth != size || stored.biHeight != 2 * size ||
            stored.biBitCount != 32 || stored.biCompression != BI_RGB || imageSize < sizeof(stored) + colourBytes) {
            return nullptr;
        }
        const BYTE* colours = image + sizeof(stored);
        // Without any alpha the mask alone says what shows: the system's way.
        bool hasAlpha = false;
        for (size_t at = 3; at < colourBytes && !hasAlpha; at += 4) hasAlpha = colours[at] != 0;
        if (!hasAlpha) return nullptr;

        BITMAPINFO info{};
        info.bmiHeader = stored;
        info.bmiHeader.biHeight = size;  // the colour rows alone, bottom-up as stored
        info.bmiHeader.biSizeImage = 0;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap) return nullptr;
        std::memcpy(bits, colours, colourBytes);
        return bitmap;
    }
    return nullptr;
}

}  // namespace

bool ImageList::AddTo(HIMAGELIST list, int index, int size) const {
    if (index < 0 || index >= Count()) return false;
    if (HBITMAP picture = StoredPicture(iconIds_[static_cast<size_t>(index)], size)) {
        int added = ImageList_Add(list, picture, nullptr);
        DeleteObject(picture);
        return added >= 0;
    }
    HICON icon = LoadIcon(index, size);
    if (!icon) return false;
    int added = ImageList_AddIcon(list, icon);
    DestroyIcon(icon);
    return added >= 0;
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
