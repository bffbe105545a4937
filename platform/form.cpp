#include "platform/form.h"

#include <commctrl.h>

#include "platform/application.h"
#include "platform/style_engine.h"

namespace tw::ui {

namespace {
const wchar_t kFormClass[] = L"TwForm";

HFONT MakeFont(const std::wstring& face, int height96, UINT dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(height96, static_cast<int>(dpi), 96);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}
}  // namespace

void Form::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowHandler::WindowProc;
    wc.hInstance = Application::Instance().InstanceHandle();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = Application::Instance().Icon();
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

Form::Form(int clientWidth96, int clientHeight96, const wchar_t* fontFace, int fontHeight96)
    : Container(nullptr, this),
      clientWidth96_(clientWidth96),
      clientHeight96_(clientHeight96),
      fontFace_(fontFace),
      fontHeight96_(fontHeight96) {
    Application& app = Application::Instance();
    // Left 0, top 0: the stored placement is applied later by the program itself.
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, L"",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 100, 100, app.Handle(), nullptr,
                                app.InstanceHandle(), static_cast<WindowHandler*>(this));
    Attach(hwnd);
    dpi_ = GetDpiForWindow(hwnd_);
    if (dpi_ == 0) dpi_ = 96;
    MakeFonts();
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ResizeClient();

    hints_ = std::make_unique<ui::Tooltip>(hwnd_);
    if (Styled()) StyleEngine::Instance().StyleTopLevel(hwnd_);
}

Form::~Form() {
    hints_.reset();
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
    for (auto& [key, font] : extraFonts_) DeleteObject(font);
}

void Form::MakeFonts() {
    HFONT old = font_;
    font_ = MakeFont(fontFace_, fontHeight96_, dpi_);
    if (old) DeleteObject(old);
    for (auto& [key, font] : extraFonts_) {
        DeleteObject(font);
        font = MakeFont(key.first, key.second, dpi_);
    }
}

HFONT Form::FontFor(const std::wstring& face, int height96) {
    auto key = std::make_pair(face, height96);
    auto found = extraFonts_.find(key);
    if (found != extraFonts_.end()) return found->second;
    HFONT font = MakeFont(face, height96, dpi_);
    extraFonts_.emplace(key, font);
    return font;
}

void Form::ResizeClient() {
    RECT r{0, 0, ScaleValue(clientWidth96_), ScaleValue(clientHeight96_)};
    AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::RestorePlacement(const WINDOWPLACEMENT& placement) {
    restoringPlacement_ = true;
    SetWindowPlacement(hwnd_, &placement);
    restoringPlacement_ = false;
}

void Form::ChangeDpi(UINT dpi, const RECT& suggested) {
    int oldDpi = static_cast<int>(dpi_);
    dpi_ = dpi;
    MakeFonts();
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ApplyDpi(oldDpi);
    // Dragged to another monitor, the window takes the system's rectangle, its size rescaled.
    // Restored there, the rectangle it was saved with is already the size for that monitor.
    if (!restoringPlacement_) {
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The layout follows the new fonts even when the size stayed.
    Guard([&] {
        Realign();
        if (OnResize) OnResize(this);
    });
}

void Form::Show() {
    if (Showing()) return;
    if (!shownBefore_) {
        // The first showing lays the window out with the texts its start-up wrote.
        shownBefore_ = true;
        Guard([this] {
            Realign();
            if (OnResize) OnResize(this);
        });
    }
    ShowWindow(hwnd_, SW_SHOW);
    if (OnShowingChanged) Guard(OnShowingChanged);
}

void Form::Hide() {
    if (!Showing()) return;
    ShowWindow(hwnd_, SW_HIDE);
    if (OnShowingChanged) Guard(OnShowingChanged);
}

void Form::Repaint() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Form::Close() {
    // A close question runs a modal loop; a second close request arriving through it must not
    // destroy the window under the first one.
    if (closed_ || closing_) return;
    closing_ = true;
    bool canClose = true;
    try {
        if (OnCloseQuery) OnCloseQuery(this, canClose);
    } catch (...) {
        closing_ = false;
        throw;
    }
    closing_ = false;
    if (!canClose) return;
    closed_ = true;
    DestroyWindow(hwnd_);
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage) {
        bool handled = false;
        Guard([&] { handled = OnMessage(message, wParam, lParam, result); });
        if (handled) return result;
    }
    switch (message) {
        case WM_CLOSE:
            // Disabled while a modal box is open: the box's caller is still running.
            if (IsWindowEnabled(hwnd_)) Guard([&] { Close(); });
            return 0;
        case WM_SYSCOLORCHANGE:
            // Only top-level windows hear of it; the common controls keep the colours they
            // drew with until they do.
            ForwardToChildren(hwnd_, message, wParam, lParam);
            StyleEngine::Instance().RefreshSystemSettings();
            break;
        case WM_SETTINGCHANGE:
            // High contrast on or off: the system look takes over or gives way.
            StyleEngine::Instance().RefreshSystemSettings();
            break;
        case WM_DESTROY:
            closed_ = true;
            if (Application::Instance().MainForm() == this) PostQuitMessage(0);
            return 0;
        case WM_SYSCOMMAND:
            // The task-bar button is the application window's: minimising goes through it.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                Application::Instance().Minimize();
                return 0;
            }
            break;
        case WM_SIZE:
            Guard([&] {
                Realign();
                if (OnResize) OnResize(this);
            });
            return 0;
        case WM_DPICHANGED:
            ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return Container::WindowProc(message, wParam, lParam);
}

}  // namespace tw::ui
