#include "platform/number_box.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <limits>

#include "platform/application.h"
#include "platform/text.h"

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
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL, 0, 0, 0,
                                0, ParentHandle(), nullptr, instance, nullptr);
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

void NumberBox::SetText(const std::wstring& text) {
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

bool NumberBox::HandleNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != spin_ || header.code != UDN_DELTAPOS) return false;
    auto& change = reinterpret_cast<NMUPDOWN&>(header);
    Step(change.iDelta);
    result = 1;  // the box keeps the position itself
    return true;
}

bool NumberBox::FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_MOUSEWHEEL || hwnd != hwnd_) return false;
    wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
    int steps = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ %= WHEEL_DELTA;
    if (steps != 0) Step(steps);
    result = 0;
    return true;
}

}  // namespace tw::ui
