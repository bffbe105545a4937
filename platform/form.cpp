#include "platform/form.h"

#include <commctrl.h>

#include <utility>

#include "platform/application.h"
#include "platform/buttons.h"
#include "platform/modal.h"
#include "platform/style_engine.h"

namespace tw::ui {

namespace {
const wchar_t kFormClass[] = L"TwForm";

// No face: the system's message-box font at the DPI, else Meiryo UI at 9 points.
HFONT MakeFont(const std::wstring& face, int height96, UINT dpi) {
    if (face.empty()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
            if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return font;
        }
        return MakeFont(L"Meiryo UI", 12, dpi);
    }
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(height96, static_cast<int>(dpi), 96);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

// The outer size of a window of these styles whose client area is width × height at dpi.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    RECT r{0, 0, width, height};
    AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}
}  // namespace

const wchar_t* Form::WindowClassName() { return kFormClass; }

void Form::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowHandler::WindowProc;
    wc.hInstance = Application::Instance().InstanceHandle();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = Application::Instance().Icon();
    wc.hIconSm = Application::Instance().SmallIcon();
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

Form::Form(int clientWidth96, int clientHeight96, const wchar_t* fontFace, int fontHeight96)
    : Container(nullptr, this),
      clientWidth96_(clientWidth96),
      clientHeight96_(clientHeight96),
      fontFace_(fontFace),
      fontHeight96_(fontHeight96) {
    // Left 0, top 0: the stored placement is applied later by the program itself.
    Create(Application::Instance().Handle(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {0, 0});
}

Form::Form(HWND owner, POINT createdAt)
    : Container(nullptr, this), clientWidth96_(0), clientHeight96_(0), fontHeight96_(0) {
    // No system menu: no title-bar buttons. No WS_CLIPCHILDREN: a painted background must lie
    // under the controls that show it through.
    Create(owner, WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
           createdAt);
}

void Form::Create(HWND owner, DWORD style, DWORD exStyle, POINT createdAt) {
    // Made at its size for the system's DPI, which is its own unless it lands on a monitor of
    // another scaling: sizing a top-level window again costs as much as making it.
    SIZE size{100, 100};
    if (clientWidth96_ > 0) {
        const UINT dpi = GetDpiForSystem();
        size = OuterSize(MulDiv(clientWidth96_, static_cast<int>(dpi), 96),
                         MulDiv(clientHeight96_, static_cast<int>(dpi), 96), style, exStyle, dpi);
    }
    HWND hwnd = CreateWindowExW(exStyle, kFormClass, L"", style, createdAt.x, createdAt.y, size.cx, size.cy, owner,
                                nullptr, Application::Instance().InstanceHandle(), static_cast<WindowHandler*>(this));
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

void Form::ResizeClient() { SetClientSize(ScaleValue(clientWidth96_), ScaleValue(clientHeight96_)); }

void Form::SetClientSize(int width, int height) {
    SIZE size = OuterSize(width, height, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                          static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi_);
    // A layout that runs on resizing may set the size it already has.
    if (Width() == size.cx && Height() == size.cy) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    if (showingModal_) {
        // The modal showing destroys the window once the program's windows take input again.
        EndModal(IDCANCEL);
        return;
    }
    closed_ = true;
    DestroyWindow(hwnd_);
}

int Form::ShowModal() {
    if (closed_) return IDCANCEL;
    modalResult_ = 0;
    showingModal_ = true;
    {
        ModalScope modal({hwnd_});
        Show();
        if (defaultButton_) SetFocus(defaultButton_->Handle());
        RunModalLoop(hwnd_, [this] { return modalResult_ != 0 || closed_; });
    }
    showingModal_ = false;
    // The program's windows are enabled again before the box goes, so that its owner becomes
    // the active window.
    if (!closed_) {
        closed_ = true;
        DestroyWindow(hwnd_);
    }
    return modalResult_ ? modalResult_ : IDCANCEL;
}

void Form::EndModal(int result) { modalResult_ = result; }

void Form::SetDefaultButton(Button& button) {
    defaultButton_ = &button;
    // Dialogs know their default button by this id and style (DM_GETDEFID, IsDialogMessage).
    button.SetId(IDOK);
    SendMessageW(button.Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Form::SetCancelButton(Button& button) { cancelButton_ = &button; }

bool Form::HandleDialogKey(WPARAM key) {
    Button* button = key == VK_RETURN ? defaultButton_ : key == VK_ESCAPE ? cancelButton_ : nullptr;
    if (!button) return false;
    button->Click();
    return true;
}

void Form::SetBackgroundPainter(std::function<void(HDC dc, const RECT& client)> painter, COLORREF textColor) {
    painter_ = std::move(painter);
    paintedTextColor_ = textColor;
}

void Form::PaintBackground() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Each repaint may draw a different picture, so it must cover the whole form, the controls
    // that show it through included.
    RECT update{};
    GetUpdateRect(hwnd_, &update, FALSE);
    if (!EqualRect(&update, &client)) InvalidateRect(hwnd_, nullptr, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    Guard([&] { painter_(dc, client); });
    EndPaint(hwnd_, &ps);
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
            // Disabled while a modal box is open: the box's caller is still running. In a box
            // with a cancel button the close request is that button's, as in a dialog.
            if (IsWindowEnabled(hwnd_)) {
                Guard([&] {
                    if (!HandleDialogKey(VK_ESCAPE)) Close();
                });
            }
            return 0;
        case WM_COMMAND:
            // OK or Cancel sent to the form itself, as a dialog's loop sends Esc: the default or
            // cancel button. A button with such an id is found as any control is.
            if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                bool handled = false;
                Guard([&] { handled = HandleDialogKey(LOWORD(wParam) == IDOK ? VK_RETURN : VK_ESCAPE); });
                if (handled) return 0;
            }
            break;
        case DM_GETDEFID:
            if (defaultButton_) return MAKELRESULT(GetDlgCtrlID(defaultButton_->Handle()), DC_HASDEFID);
            break;
        case WM_ACTIVATE:
            if (defaultButton_ && LOWORD(wParam) != WA_INACTIVE) {
                SetFocus(defaultButton_->Handle());
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (painter_) return 1;
            break;
        case WM_PAINT:
            if (!painter_) break;
            PaintBackground();
            return 0;
        case WM_CTLCOLORSTATIC:
            if (!painter_) break;
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            SetTextColor(reinterpret_cast<HDC>(wParam), paintedTextColor_);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
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
        case WM_DPICHANGED: ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        default: break;
    }
    return Container::WindowProc(message, wParam, lParam);
}

}  // namespace tw::ui
