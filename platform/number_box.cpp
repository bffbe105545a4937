#include "platform/number_box.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <limits>

#include "platform/application.h"
#include "platform/style_paint.h"
#include "platform/subclass.h"
#include "platform/text.h"
#include "runtime/int_parse.h"

namespace tw::ui {

namespace {
// The whole number the digits give, held at the top of the int range however many there are;
// 0 for an empty text or one that is not all digits.
int ParseWhole(const std::wstring& text) {
    constexpr int kTop = std::numeric_limits<int>::max();
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return 0;
        int digit = c - L'0';
        value = value > (kTop - digit) / 10 ? kTop : value * 10 + digit;
    }
    return value;
}
}  // namespace

NumberBox::NumberBox(Container& parent, int minValue, int maxValue, int value)
    : Control(&parent, &parent.OwnerForm()), min_(minValue), max_(maxValue) {
    HINSTANCE instance = Application::Instance().InstanceHandle();
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, std::to_wstring(Clamp(value)).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                ParentHandle(), nullptr, instance, nullptr);
    Attach(edit);
    spin_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                            ParentHandle(), nullptr, instance, nullptr);
    AttachPart(spin_);
    SendMessageW(spin_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SyncSpin();
}

int NumberBox::Clamp(int value) const { return std::clamp(value, min_, max_); }

int NumberBox::Value() const { return Clamp(ParseWhole(WindowText(hwnd_))); }

void NumberBox::ShowText(const std::wstring& text) {
    fromCode_ = true;
    SetWindowTextW(hwnd_, text.c_str());
    fromCode_ = false;
    SyncSpin();
}

void NumberBox::SyncSpin() { SendMessageW(spin_, UDM_SETPOS32, 0, static_cast<LPARAM>(Clamp(Value()))); }

void NumberBox::SetValue(int value) { SetText(std::to_wstring(Clamp(value))); }

void NumberBox::SetText(const std::wstring& given) {
    const std::wstring text = FoldFullWidthDigits(given);
    int before = Value();
    if (WindowText(hwnd_) == text) return;
    ShowText(text);
    if (Value() != before && OnChange) OnChange(this);
}

void NumberBox::Step(int delta) {
    int next = Clamp(Value() + delta);
    if (std::to_wstring(next) == WindowText(hwnd_)) return;
    ShowText(std::to_wstring(next));
    if (OnChange) OnChange(this);
}

void NumberBox::SetBounds(const RECT& bounds) {
    int spinWidth = std::min<int>(Scale(15), (bounds.right - bounds.left) / 2);
    SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left - spinWidth,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(spin_, nullptr, bounds.right - spinWidth, bounds.top, spinWidth, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool NumberBox::HandleCommand(WORD code) {
    if (code == EN_CHANGE) {
        if (fromCode_) return true;
        FoldTypedDigits();
        SyncSpin();
        if (OnChange) OnChange(this);
        return true;
    }
    if (code == EN_KILLFOCUS) {
        // Typing may leave the text empty or out of range, which reads as the nearest value in
        // range; leaving the box shows that value.
        std::wstring normal = std::to_wstring(Value());
        if (normal != WindowText(hwnd_)) ShowText(normal);
        return true;
    }
    return false;
}

void NumberBox::FoldTypedDigits() {
    // Full-width digits reach the edit through an input method's commit or a paste, which its
    // digits-only style does not filter: they mean the digits they show.
    const std::wstring text = WindowText(hwnd_);
    const std::wstring folded = FoldFullWidthDigits(text);
    if (folded == text) return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    fromCode_ = true;
    SetWindowTextW(hwnd_, folded.c_str());
    fromCode_ = false;
    // Each digit keeps its length in UTF-16, so the caret stays where the user left it.
    SendMessageW(hwnd_, EM_SETSEL, start, end);
}

bool NumberBox::HandleNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != spin_ || header.code != UDN_DELTAPOS) return false;
    auto& change = reinterpret_cast<NMUPDOWN&>(header);
    Step(change.iDelta);
    result = 1;  // the box keeps the position itself
    return true;
}

HBRUSH NumberBox::HandleCtlColor(HDC dc) {
    if (!Styled()) return nullptr;
    // A disabled edit asks as a static control and stands on the window's background.
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    SetBkColor(dc, RoleColor(enabled ? ColorRole::Field : ColorRole::Window));
    SetTextColor(dc, RoleColor(enabled ? ColorRole::FieldText : ColorRole::DisabledText));
    return RoleBrush(enabled ? ColorRole::Field : ColorRole::Window);
}

void NumberBox::PaintEditFrame() {
    HDC dc = GetWindowDC(hwnd_);
    RECT r{};
    GetWindowRect(hwnd_, &r);
    OffsetRect(&r, -r.left, -r.top);
    FrameRect(dc, &r, RoleBrush(ColorRole::Edge));
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, RoleBrush(IsWindowEnabled(hwnd_) ? ColorRole::Field : ColorRole::Window));
    ReleaseDC(hwnd_, dc);
}

void NumberBox::PaintDisabledText(HDC dc, const RECT& client) {
    std::wstring text = WindowText(hwnd_);
    RECT r = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void NumberBox::PaintSpin(HDC dc, const RECT& client) {
    UINT dpi = WindowDpi(spin_);
    bool enabled = IsWindowEnabled(spin_) != FALSE;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(spin_, &cursor);
    bool pressing = enabled && GetCapture() == spin_ && GetKeyState(VK_LBUTTON) < 0;
    // The arrows are filled and outlined in the text colour: the role's brush and the DC pen.
    ColorRole arrow = enabled ? ColorRole::FaceText : ColorRole::DisabledText;
    SelectObject(dc, RoleBrush(arrow));
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, RoleColor(arrow));
    int middle = client.bottom / 2;
    for (int half = 0; half < 2; ++half) {
        RECT r{client.left, half == 0 ? client.top : middle, client.right, half == 0 ? middle : client.bottom};
        bool pressed = pressing && PtInRect(&r, cursor);
        // Each half on the window's background again: the face above reaches a row into it.
        FillRect(dc, &r, RoleBrush(ColorRole::Window));
        PaintFace(dc, r, pressed ? ColorRole::Pressed : ColorRole::Face, ColorRole::Edge, dpi);
        // A small triangle pointing up or down.
        int size = std::max(2, std::min<int>((r.right - r.left) / 4, (r.bottom - r.top) / 3));
        int cx = (r.left + r.right) / 2;
        int cy = (r.top + r.bottom) / 2;
        POINT up[3] = {{cx - size, cy + size / 2}, {cx + size, cy + size / 2}, {cx, cy - size / 2 - 1}};
        POINT down[3] = {{cx - size, cy - size / 2}, {cx + size, cy - size / 2}, {cx, cy + size / 2 + 1}};
        Polygon(dc, half == 0 ? up : down, 3);
    }
}

bool NumberBox::FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (hwnd == spin_ && PaintStyled(spin_, message, RoleBrush(ColorRole::Window), ColorRole::FaceText, result,
                                     [this](HDC dc, const RECT& client) { PaintSpin(dc, client); })) {
        return true;
    }
    // A disabled edit draws its text in the system's grey whatever its parent says.
    if (hwnd == hwnd_ && message == WM_PAINT && !IsWindowEnabled(hwnd_) &&
        PaintStyled(hwnd_, message, RoleBrush(ColorRole::Window), ColorRole::DisabledText, result,
                    [this](HDC dc, const RECT& client) { PaintDisabledText(dc, client); })) {
        return true;
    }
    if (Styled() && hwnd == hwnd_ && message == WM_NCPAINT) {
        result = CallNextSubclass(hwnd, message, wParam, lParam);
        PaintEditFrame();
        return true;
    }
    if ((message == WM_CHAR || message == WM_IME_CHAR) && hwnd == hwnd_ && wParam >= 0xFF10 && wParam <= 0xFF19) {
        // A full-width digit typed in the input method's full-width mode: the edit, which takes
        // ASCII digits only, gets the digit it stands for.
        result = CallNextSubclass(hwnd, WM_CHAR, wParam - 0xFF10 + L'0', lParam);
        return true;
    }
    if (message != WM_MOUSEWHEEL || hwnd != hwnd_) return false;
    wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
    int steps = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ %= WHEEL_DELTA;
    if (steps != 0) Step(steps);
    result = 0;
    return true;
}

}  // namespace tw::ui
