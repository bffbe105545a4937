// The buttons' pictures: an image list of a button shows exactly what the system's icon of that
// size shows, whether the icon resource holds that size or the system scales another one.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/resource_ids.h"
#include "platform/image_list.h"

namespace tw::ui {
namespace {

// The one picture of an image list drawn on a background, as a button draws it.
std::vector<DWORD> Drawn(HIMAGELIST list, int size, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ImageList_Draw(list, 0, dc, 0, 0, ILD_TRANSPARENT);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<size_t>(size) * static_cast<size_t>(size));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

TEST(ImageListTest, ButtonPicturesAreTheSystemsIconsAtEverySize) {
    const ImageList images({IDI_BTN_DESKTOP, IDI_BTN_STARTMENU, IDI_BTN_STARTUP, IDI_BTN_HELP, IDI_BTN_ABOUT,
                            IDI_BTN_PROPERTIES, IDI_BTN_DONATION, IDI_BTN_HOMESITE});
    // 96 to 288 dpi, and 28 pixels (168 dpi), a size the resources do not hold.
    for (int size : {16, 20, 24, 28, 32, 40, 48}) {
        for (int index = 0; index < images.Count(); ++index) {
            SCOPED_TRACE(testing::Message() << "size " << size << ", image " << index);
            HIMAGELIST ours = ImageList_Create(size, size, ILC_COLOR32, 1, 0);
            HIMAGELIST systems = ImageList_Create(size, size, ILC_COLOR32, 1, 0);
            ASSERT_TRUE(images.AddTo(ours, index, size));
            HICON icon = images.LoadIcon(index, size);
            ASSERT_NE(icon, nullptr);
            ImageList_AddIcon(systems, icon);
            DestroyIcon(icon);
            ASSERT_EQ(ImageList_GetImageCount(ours), 1);
            for (COLORREF background : {RGB(240, 240, 240), RGB(0, 0, 0), RGB(32, 96, 200)}) {
                std::vector<DWORD> picture = Drawn(ours, size, background);
                EXPECT_EQ(picture, Drawn(systems, size, background));
                // Something was drawn: the picture is not the bare background.
                EXPECT_NE(picture, std::vector<DWORD>(picture.size(), picture[0]));
            }
            ImageList_Destroy(ours);
            ImageList_Destroy(systems);
        }
    }
}

TEST(ImageListTest, AMissingImageAddsNothing) {
    const ImageList images({IDI_BTN_DESKTOP, 9999});
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    EXPECT_FALSE(images.AddTo(list, 1, 16));
    EXPECT_FALSE(images.AddTo(list, 2, 16));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    ImageList_Destroy(list);
}

}  // namespace
}  // namespace tw::ui
