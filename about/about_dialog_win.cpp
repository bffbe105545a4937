#include "about/about_dialog_win.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/application.h"
#include "platform/modal.h"
#include "platform/style_paint.h"
#include "platform/subclass.h"
#include "runtime/error.h"

namespace tw {

namespace {

const wchar_t kDialogClass[] = L"TwAboutDialog";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS;  // no system menu: no title-bar buttons
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// The static control draws its text with these flags when it has SS_LEFT | SS_EDITCONTROL |
// SS_NOPREFIX; measuring with the same ones gives it exactly the room it needs.
constexpr UINT kTextFlags = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;

void RegisterDialogClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ui::WindowHandler::WindowProc;
    wc.hInstance = ui::Application::Instance().InstanceHandle();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kDialogClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Error(L"Cannot register the About box's window class");
    }
    registered = true;
}

// The system's message-box font at the DPI, else Meiryo UI at 9 points.
HFONT MessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return font;
    }
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(12, static_cast<int>(dpi), 96);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Meiryo UI", LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace

const wchar_t* AboutDialog::WindowClassName() { return kDialogClass; }

AboutDialog* AboutDialog::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (lstrcmpW(name, kDialogClass) != 0) return nullptr;
    return static_cast<AboutDialog*>(ui::WindowHandler::FromHandle(hwnd));
}

AboutDialog::AboutDialog(HWND owner, const std::wstring& caption, const std::wstring& text, int iconId,
                         const std::wstring& imageHint)
    : owner_(owner), iconId_(iconId), text_(text), imageHint_(imageHint) {
    RegisterDialogClass();
    HINSTANCE instance = ui::Application::Instance().InstanceHandle();
    // The centre of the owner's monitor (with one monitor, of the screen). Created there, so
    // that the box gets the DPI of the monitor it will show on.
    const RECT screen = ui::Application::Instance().Monitors().OfWindow(owner).bounds;
    const POINT centre{screen.left + (screen.right - screen.left) / 2, screen.top + (screen.bottom - screen.top) / 2};
    hwnd_ = CreateWindowExW(kExStyle, kDialogClass, caption.c_str(), kStyle, centre.x, centre.y, 0, 0, owner, nullptr,
                            instance, static_cast<ui::WindowHandler*>(this));
    if (!hwnd_) throw Error(L"Cannot create the About box");

    image_ = CreateWindowExW(0, WC_STATICW, nullptr, WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY | SS_REALSIZECONTROL,
                             0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ImageId)), instance,
                             nullptr);
    message_ = CreateWindowExW(0, WC_STATICW, text_.c_str(),
                               WS_CHILD | WS_VISIBLE | SS_LEFT | SS_EDITCONTROL | SS_NOPREFIX, 0, 0, 0, 0, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(MessageId)), instance, nullptr);
    ok_ = CreateWindowExW(0, WC_BUTTONW, L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                          hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(OkId)), instance, nullptr);
    if (!image_ || !message_ || !ok_) {
        DestroyWindow(hwnd_);
        throw Error(L"Cannot create the About box");
    }
    ui::SetHandCursor(image_, true);
    ui::SetHandCursor(ok_, true);
    ui::AddSubclass(ok_, OkButtonProc, this);

    // Of the box's parts only the icon has a hint.
    tooltip_ = std::make_unique<ui::Tooltip>(hwnd_);
    tooltip_->SetWindowTool(image_, imageHint_);
    if (ui::Styled()) ui::StyleEngine::Instance().StyleTopLevel(hwnd_);

    UINT dpi = GetDpiForWindow(hwnd_);
    SIZE size = Layout(dpi ? dpi : 96);
    SetWindowPos(hwnd_, nullptr, screen.left + (screen.right - screen.left - size.cx) / 2,
                 screen.top + (screen.bottom - screen.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

AboutDialog::~AboutDialog() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
    if (icon_ && ownIcon_) DestroyIcon(icon_);
}

SIZE AboutDialog::Layout(UINT dpi) {
    auto scale = [dpi](int pixelsAt96) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); };

    HFONT oldFont = font_;
    font_ = MessageFont(dpi);
    SendMessageW(message_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(ok_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (oldFont) DeleteObject(oldFont);

    const int iconSize = GetSystemMetricsForDpi(SM_CXICON, dpi);
    HICON oldIcon = icon_;
    bool oldOwned = ownIcon_;
    icon_ = static_cast<HICON>(LoadImageW(ui::Application::Instance().InstanceHandle(), MAKEINTRESOURCEW(iconId_),
                                          IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR));
    ownIcon_ = icon_ != nullptr;
    if (!icon_) {
        icon_ = static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, iconSize, iconSize,
                                              LR_SHARED));
    }
    SendMessageW(image_, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    if (oldIcon && oldOwned) DestroyIcon(oldIcon);

    // Long lines (the program's path) wrap at half the screen's width.
    RECT textRect{0, 0, std::max(GetSystemMetrics(SM_CXSCREEN) / 2, scale(200)), 0};
    HDC dc = GetDC(hwnd_);
    HGDIOBJ previous = SelectObject(dc, font_);
    DrawTextW(dc, text_.c_str(), -1, &textRect, kTextFlags | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(hwnd_, dc);

    const int margin = scale(12);
    const int spacing = scale(12);
    const int buttonWidth = scale(88);
    const int buttonHeight = scale(26);
    const int textLeft = margin + iconSize + spacing;
    const int contentHeight = std::max<int>(iconSize, textRect.bottom);
    const int clientWidth = std::max<int>(textLeft + textRect.right + margin, buttonWidth + 2 * margin);
    const int buttonTop = margin + contentHeight + spacing;
    const int clientHeight = buttonTop + buttonHeight + margin;

    SetWindowPos(image_, nullptr, margin, margin, iconSize, iconSize, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(message_, nullptr, textLeft, margin, textRect.right, textRect.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(ok_, nullptr, (clientWidth - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    RECT window{0, 0, clientWidth, clientHeight};
    AdjustWindowRectExForDpi(&window, kStyle, FALSE, kExStyle, dpi);
    return {window.right - window.left, window.bottom - window.top};
}

int AboutDialog::ShowModal() {
    if (!hwnd_) return IDOK;
    {
        ui::ModalScope modal({hwnd_});
        ShowWindow(hwnd_, SW_SHOW);
        SetFocus(ok_);
        MSG msg;
        while (!closed_) {
            BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got == -1) break;
            if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        closed_ = true;
    }
    // The program's windows are enabled again before the box goes, so that its owner becomes
    // the active window.
    if (hwnd_) DestroyWindow(hwnd_);
    return IDOK;
}

void AboutDialog::Paint() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (OnPaint) {
        // Each repaint draws a new picture, so it must cover the whole box, the text included.
        RECT update{};
        GetUpdateRect(hwnd_, &update, FALSE);
        if (!EqualRect(&update, &client)) InvalidateRect(hwnd_, nullptr, FALSE);
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (OnPaint) ui::Guard([&] { OnPaint(this, dc, client); });
    EndPaint(hwnd_, &ps);
}

LRESULT AboutDialog::HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) hwnd_ = hwnd;
    if (message == WM_NCDESTROY) {
        // The tool tip went with the box.
        tooltip_.reset();
        hwnd_ = nullptr;
        closed_ = true;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return HandleMessage(message, wParam, lParam);
}

LRESULT AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:  // Esc: the OK button is the cancel button too
                    closed_ = true;
                    return 0;
                case ImageId:
                    if (HIWORD(wParam) == STN_CLICKED && OnImageClick) ui::Guard([this] { OnImageClick(this); });
                    return 0;
                default:
                    break;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(OkId, DC_HASDEFID);
        case WM_CLOSE:
            closed_ = true;
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(ok_);
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (OnPaint) {
                // The picture shows through the text and around the icon. It starts from white,
                // so its text is black whatever the system's colours.
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, RGB(0, 0, 0));
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            SetBkColor(dc, ui::BackgroundColor());
            SetTextColor(dc, ui::RoleColor(ui::ColorRole::Text));
            return reinterpret_cast<LRESULT>(ui::BackgroundBrush());
        }
        case WM_NOTIFY: {
            // The OK button in the active style.
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT result = 0;
            if (header->code == NM_CUSTOMDRAW && header->hwndFrom == ok_ &&
                ui::CustomDrawButton(*reinterpret_cast<NMCUSTOMDRAW*>(header), result)) {
                return result;
            }
            break;
        }
        case WM_SYSCOLORCHANGE:
            // A top-level window of its own: it may be the first to hear of a new scheme.
            ui::ForwardToChildren(hwnd_, message, wParam, lParam);
            ui::StyleEngine::Instance().RefreshSystemSettings();
            return 0;
        case WM_ERASEBKGND:
            if (!OnPaint) {
                RECT client{};
                GetClientRect(hwnd_, &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, ui::BackgroundBrush());
            }
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SIZE size = Layout(HIWORD(wParam));
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT AboutDialog::OkButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
    auto* self = static_cast<AboutDialog*>(data);
    switch (message) {
        case WM_KEYDOWN:
            // A loop that does not treat this box as a dialog (the clock's message pump, for
            // one) hands Enter and Esc to the button itself.
            if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                SendMessageW(self->hwnd_, WM_COMMAND, MAKEWPARAM(wParam == VK_ESCAPE ? IDCANCEL : IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(hwnd));
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ui::RemoveSubclass(hwnd, OkButtonProc);
            break;
        default:
            break;
    }
    return ui::CallNextSubclass(hwnd, message, wParam, lParam);
}

}  // namespace tw
