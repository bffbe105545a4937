#include "platform/control.h"

#include <commctrl.h>

#include "platform/application.h"
#include "platform/form.h"
#include "platform/style_engine.h"
#include "platform/subclass.h"
#include "platform/text.h"
#include "platform/tooltip.h"
#include "runtime/error.h"

namespace tw::ui {

void Guard(const std::function<void()>& handler) noexcept {
    try {
        try {
            handler();
        } catch (const Error& error) {
            Application::Instance().ShowError(error.Message());
        } catch (const std::exception& error) {
            Application::Instance().ShowError(Utf8ToWide(error.what()));
        } catch (...) {
            Application::Instance().ShowError(L"Unexpected error");
        }
    } catch (...) {
        // The error display itself failed (out of memory): nothing sensible is left to show.
    }
}

HBRUSH BackgroundBrush() { return RoleBrush(ColorRole::Window); }
COLORREF BackgroundColor() { return RoleColor(ColorRole::Window); }

// ---- Control ---------------------------------------------------------------------------------

Control::Control(Container* parent, Form* form) : parent_(parent), form_(form) {
    if (parent_) parent_->AddChild(this);
}

Control::~Control() {
    // Child windows go with their top-level window, which a form destroys after its controls
    // are gone: their last messages must not reach this object.
    for (HWND part : parts_) RemoveSubclass(part, SubclassProc);
    if (hwnd_) RemoveSubclass(hwnd_, SubclassProc);
}

Control* Control::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Control*>(SubclassData(hwnd, SubclassProc)) : nullptr;
}

void Control::Attach(HWND hwnd) {
    if (!hwnd) throw Error(L"Cannot create a window: " + LastErrorText());
    hwnd_ = hwnd;
    AddSubclass(hwnd, SubclassProc, this);
    if (form_ && form_ != this) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form_->Font()), FALSE);
}

void Control::AttachPart(HWND hwnd) {
    parts_.push_back(hwnd);
    AddSubclass(hwnd, SubclassProc, this);
    if (form_) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form_->Font()), FALSE);
}

LRESULT Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
    auto* self = static_cast<Control*>(data);
    if (message == WM_NCDESTROY) {
        RemoveSubclass(hwnd, SubclassProc);
        return CallNextSubclass(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    Guard([&] { handled = self->FilterMessage(hwnd, message, wParam, lParam, result); });
    if (handled) return result;
    result = CallNextSubclass(hwnd, message, wParam, lParam);
    if (message == WM_WINDOWPOSCHANGED) self->UpdateHintArea();
    return result;
}

bool Control::FilterMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

HWND Control::ParentHandle() const { return parent_ ? parent_->Handle() : nullptr; }

int Control::Scale(int pixelsAt96) const { return form_ ? form_->ScaleValue(pixelsAt96) : pixelsAt96; }

void Control::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled);
    for (HWND part : parts_) EnableWindow(part, enabled);
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    for (HWND part : parts_) ShowWindow(part, visible ? SW_SHOW : SW_HIDE);
}

bool Control::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetHint(const std::wstring& hint, bool showHint) {
    hint_ = hint;
    showHint_ = showHint;
    if (form_ && showHint_ && !hint_.empty()) {
        form_->Hints().SetWindowTool(hwnd_, hint_);
        for (HWND part : parts_) form_->Hints().SetWindowTool(part, hint_);
        UpdateHintArea();
    }
}

void Control::UpdateHintArea() {
    HWND parent = ParentHandle();
    if (!form_ || !showHint_ || hint_.empty() || !parent || !hwnd_) return;
    RECT area{};
    auto add = [&](HWND window) {
        if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE)) return;
        RECT r{};
        GetWindowRect(window, &r);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        UnionRect(&area, &area, &r);
    };
    add(hwnd_);
    for (HWND part : parts_) add(part);
    form_->Hints().SetAreaTool(parent, reinterpret_cast<UINT_PTR>(hwnd_), area, hint_);
}

void Control::SetHandCursor(bool hand) { ui::SetHandCursor(hwnd_, hand); }

void Control::SetId(int id) { SetWindowLongPtrW(hwnd_, GWLP_ID, id); }

std::wstring Control::Text() const { return WindowText(hwnd_); }

void Control::SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

RECT Control::BoundsRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, ParentHandle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Control::Width() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r.right - r.left;
}

int Control::Height() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r.bottom - r.top;
}

int Control::ClientWidth() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.right;
}

int Control::ClientHeight() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.bottom;
}

void Control::SetBounds(const RECT& b) {
    // Layout runs again on every resize and at the first showing; a window already in place
    // costs nothing then (moving it is a round trip to the window server, even to where it is).
    RECT current = BoundsRect();
    if (EqualRect(&current, &b)) return;
    SetWindowPos(hwnd_, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Placement::Rescale(int newDpi, int oldDpi) {
    for (int* value : {&margins.left, &margins.top, &margins.right, &margins.bottom, &width, &height}) {
        *value = MulDiv(*value, newDpi, oldDpi);
    }
}

void Control::ApplyDpi(int oldDpi) {
    placement.Rescale(static_cast<int>(form_->Dpi()), oldDpi);
    if (form_ && form_ != this) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_->Font()), TRUE);
    for (HWND part : parts_) SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(form_->Font()), TRUE);
}

// ---- Container -------------------------------------------------------------------------------

Container::Container(Container* parent, Form* form) : Control(parent, form) {}

Container::~Container() {
    // A panel window outlives this object until its form's window goes.
    if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

const wchar_t* Container::WindowClassName() { return L"TwPanel"; }

void Container::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowHandler::WindowProc;
    wc.hInstance = Application::Instance().InstanceHandle();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WindowClassName();
    RegisterClassExW(&wc);
}

void Container::CreatePanelWindow() {
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, WindowClassName(), L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, ParentHandle(),
                                nullptr, Application::Instance().InstanceHandle(), static_cast<WindowHandler*>(this));
    Attach(hwnd);
}

LRESULT Container::HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) hwnd_ = hwnd;
    if (message == WM_NCDESTROY) {
        LRESULT result = WindowProc(message, wParam, lParam);
        hwnd_ = nullptr;
        return result;
    }
    return WindowProc(message, wParam, lParam);
}

bool Container::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool handled = false;
    switch (message) {
        case WM_COMMAND:
            if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
                Guard([&] { handled = child->HandleCommand(HIWORD(wParam)); });
                result = 0;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (Control* child = Control::FromHandle(header->hwndFrom)) {
                Guard([&] { handled = child->HandleNotify(*header, result); });
            }
            break;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            // Found by its window, not by CtlType, which a status bar leaves undefined; a
            // menu's item names a menu there, which is no window.
            HWND window = reinterpret_cast<HWND>(item->hwndItem);
            if (IsWindow(window)) {
                if (Control* child = Control::FromHandle(window)) {
                    Guard([&] { handled = child->HandleDrawItem(*item); });
                    result = TRUE;
                }
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            HWND window = reinterpret_cast<HWND>(lParam);
            HBRUSH brush = nullptr;
            if (Control* child = Control::FromHandle(window)) brush = child->HandleCtlColor(dc);
            if (!brush && (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN)) {
                // A brush without a text colour leaves the text black, whatever the background.
                SetBkColor(dc, BackgroundColor());
                SetTextColor(dc, RoleColor(IsWindowEnabled(window) ? ColorRole::Text : ColorRole::DisabledText));
                brush = BackgroundBrush();
            }
            if (brush) {
                result = reinterpret_cast<LRESULT>(brush);
                handled = true;
            }
            break;
        }
        default: break;
    }
    return handled;
}

LRESULT Container::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RouteChildMessage(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(hwnd_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
            return 1;
        }
        case WM_PRINTCLIENT: {
            RECT r{};
            GetClientRect(hwnd_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
            return 0;
        }
        case WM_SIZE: Guard([&] { Realign(); }); return 0;
        default: return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

RECT Container::InnerRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    InflateRect(&r, -padding, -padding);
    return r;
}

void Container::Realign() { AlignChildren(InnerRect()); }

void Container::AlignChildren(RECT area) {
    for (Control* child : children_) {
        const Placement& p = child->placement;
        RECT r = area;
        switch (p.align) {
            case Align::Top:
                r.bottom = r.top + (p.height ? p.height : Scale(child->NaturalHeight()));
                area.top = r.bottom;
                break;
            case Align::Bottom:
                r.top = r.bottom - (p.height ? p.height : Scale(child->NaturalHeight()));
                area.bottom = r.top;
                break;
            case Align::Client: break;
            case Align::None: continue;
        }
        if (p.align == Align::Client) continue;  // placed once the edges are taken
        child->SetBounds(r);
    }
    for (Control* child : children_) {
        if (child->placement.align == Align::Client) child->SetBounds(area);
    }
}

void Container::ApplyDpi(int oldDpi) {
    Control::ApplyDpi(oldDpi);
    padding = MulDiv(padding, static_cast<int>(OwnerForm().Dpi()), oldDpi);
    for (Control* child : children_) child->ApplyDpi(oldDpi);
}

}  // namespace tw::ui
