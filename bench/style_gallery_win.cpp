// Writes pictures of the main window in every style, and of the About box and a message box in a
// few, as BMP files into a folder: tools/style-gallery.sh turns them into contact sheets.
// Usage: style_gallery.exe FOLDER   (files NNN-main.bmp, NNN-about.bmp, NNN-message.bmp and
// names.txt, one style name per line in UTF-8, NNN being the line number from 0)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "about/about_dialog_win.h"
#include "bench_window.h"
#include "platform/style_manager.h"

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The window as the screen shows it, as a 24-bit BMP file.
bool SaveWindow(HWND hwnd, const std::wstring& path) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    // Read from the window's own surface: the screen may not show the newest drawing yet.
    HDC screen = GetWindowDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// While a modal box of this thread is open: picture it and close it (from a timer of its loop).
std::wstring boxPicture;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (IsWindowVisible(hwnd) && (lstrcmpW(name, L"#32770") == 0 || tw::AboutDialog::FromHandle(hwnd))) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK TakeBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    SaveWindow(box, boxPicture);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

void PictureBox(const std::wstring& path, const std::function<void()>& open) {
    boxPicture = path;
    SetTimer(nullptr, 0, 300, TakeBox);
    open();
}

std::string Utf8(const std::wstring& text) {
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        std::fprintf(stderr, "usage: style_gallery FOLDER\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    LocalFree(argv);
    tw::bench::MainWindow window;
    tw::TTapwhileForm& form = window.form;
    tw::ui::StyleManager& styles = tw::ui::StyleManager::Instance();
    form.Show();
    // Something in every label, and a disabled one: what the pictures must show readably.
    form.KeyPresser().CountLabel().SetText(L"12 回め、2026/12/10 08:15");
    form.Reloader().CountLabel().SetText(L"3 回め、2026/12/10 08:10");
    form.Reloader().OnSwitch().SetChecked(false);

    // The boxes in the plain look, a light and a dark style and a few between.
    const std::vector<std::wstring> boxStyles = {
        L"Windows", L"Windows11 Modern Light", L"Windows11 Modern Dark", L"Glow", L"Carbon", L"Coral"};
    std::ofstream names(std::filesystem::path(folder + L"\\names.txt"), std::ios::binary);
    // In the order the style list shows them.
    std::vector<std::wstring> all;
    for (int row = 0; row < form.StyleList.Count(); ++row) all.push_back(form.StyleList.Item(row));
    for (size_t i = 0; i < all.size(); ++i) {
        wchar_t number[8];
        swprintf(number, 8, L"%03zu", i);
        const std::wstring base = folder + L"\\" + number;
        // Chosen as a user chooses: the row selected and the style activated.
        form.StyleList.SetItemIndex(form.StyleList.IndexOf(all[i]));
        form.StyleListClick(&form.StyleList);
        form.Pages.SetActivePageIndex(1);
        Pump();
        SaveWindow(form.Handle(), base + L"-main.bmp");
        form.Pages.SetActivePageIndex(0);
        Pump();
        SaveWindow(form.Handle(), base + L"-file.bmp");
        form.Pages.SetActivePageIndex(5);
        form.PagesChange(&form.Pages);
        Pump();
        SaveWindow(form.Handle(), base + L"-list.bmp");
        for (const std::wstring& boxStyle : boxStyles) {
            if (boxStyle != all[i]) continue;
            PictureBox(base + L"-about.bmp", [&] { form.AboutClick(&form.ButtonAbout); });
            PictureBox(base + L"-message.bmp",
                       [&] { window.dialogs.QuestionBox(L"終了してもよいですか？", MB_YESNO | MB_ICONQUESTION); });
        }
        names << Utf8(all[i]) << "\n";
    }
    styles.Activate(L"Windows");
    return 0;
}
