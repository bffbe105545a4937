#include "platform/panels.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/application.h"
#include "platform/form.h"
#include "platform/style_paint.h"
#include "platform/subclass.h"
#include "platform/text.h"

namespace tw::ui {

namespace {

// Above and below a tab's text at 96 dpi, as the tab control leaves it around its font.
constexpr int kTabPadding96 = 5;

// Splits a length among shares; automatic shares take their fixed sizes first.
std::vector<int> Edges(int start, int length, const std::vector<Share>& shares, const std::vector<int>& fixed) {
    int fixedTotal = 0;
    double percentTotal = 0;
    for (size_t i = 0; i < shares.size(); ++i) {
        if (shares[i].automatic)
            fixedTotal += fixed[i];
        else
            percentTotal += shares[i].percent;
    }
    double rest = std::max(0, length - fixedTotal);
    std::vector<int> edges{start};
    double position = start;
    for (size_t i = 0; i < shares.size(); ++i) {
        position += shares[i].automatic ? fixed[i] : (percentTotal > 0 ? rest * shares[i].percent / percentTotal : 0);
        edges.push_back(static_cast<int>(std::lround(position)));
    }
    return edges;
}

}  // namespace

// ---- GridPanel -------------------------------------------------------------------------------

GridPanel::GridPanel(Container& parent, std::vector<Share> columns, std::vector<Share> rows)
    : Container(&parent, &parent.OwnerForm()), columns_(std::move(columns)), rows_(std::move(rows)) {
    CreatePanelWindow();
}

LRESULT GridPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        Guard([&] {
            Realign();
            if (OnResize) OnResize(this);
        });
        return 0;
    }
    return Container::WindowProc(message, wParam, lParam);
}

void GridPanel::Realign() {
    RECT area = InnerRect();
    std::vector<int> fixedColumns(columns_.size(), 0);
    std::vector<int> fixedRows(rows_.size(), 0);
    for (Control* child : children_) {
        const Placement& p = child->placement;
        if (p.row < static_cast<int>(rows_.size()) && rows_[static_cast<size_t>(p.row)].automatic) {
            int height = (p.height ? p.height : Scale(child->NaturalHeight())) + p.margins.top + p.margins.bottom;
            fixedRows[static_cast<size_t>(p.row)] = std::max(fixedRows[static_cast<size_t>(p.row)], height);
        }
    }
    std::vector<int> x = Edges(area.left, area.right - area.left, columns_, fixedColumns);
    std::vector<int> y = Edges(area.top, area.bottom - area.top, rows_, fixedRows);
    for (Control* child : children_) {
        const Placement& p = child->placement;
        int lastColumn = std::min<int>(p.col + p.colSpan, static_cast<int>(columns_.size()));
        int lastRow = std::min<int>(p.row + p.rowSpan, static_cast<int>(rows_.size()));
        if (p.col >= lastColumn || p.row >= lastRow) continue;
        RECT cell{x[static_cast<size_t>(p.col)] + p.margins.left, y[static_cast<size_t>(p.row)] + p.margins.top,
                  x[static_cast<size_t>(lastColumn)] - p.margins.right,
                  y[static_cast<size_t>(lastRow)] - p.margins.bottom};
        RECT r = cell;
        int width = p.width;
        switch (p.hAlign) {
            case HAlign::Fill: break;
            case HAlign::Left: r.right = r.left + width; break;
            case HAlign::Right: r.left = r.right - width; break;
            case HAlign::Center:
                r.left = cell.left + (cell.right - cell.left - width) / 2;
                r.right = r.left + width;
                break;
        }
        if (p.vAlign == VAlign::Center) {
            int height = p.height ? p.height : Scale(child->NaturalHeight());
            r.top = cell.top + (cell.bottom - cell.top - height) / 2;
            r.bottom = r.top + height;
        }
        if (r.right < r.left) r.right = r.left;
        if (r.bottom < r.top) r.bottom = r.top;
        child->SetBounds(r);
    }
}

// ---- GroupBox --------------------------------------------------------------------------------

GroupBox::GroupBox(Container& parent, const std::wstring& caption) : Container(&parent, &parent.OwnerForm()) {
    CreatePanelWindow();
    frame_ = CreateWindowExW(0, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS, 0,
                             0, 0, 0, hwnd_, nullptr, Application::Instance().InstanceHandle(), nullptr);
    SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm().Font()), FALSE);
    AddSubclass(frame_, FrameProc, nullptr);
}

LRESULT GroupBox::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    if (message == WM_NCDESTROY) {
        RemoveSubclass(hwnd, FrameProc);
        return CallNextSubclass(hwnd, message, wParam, lParam);
    }
    // Group boxes send no custom-draw notification: in a style of our own the frame paints here.
    LRESULT result = 0;
    if (PaintStyled(hwnd, message, BackgroundBrush(), IsWindowEnabled(hwnd) ? ColorRole::Text : ColorRole::DisabledText,
                    result, [hwnd](HDC dc, const RECT& client) { PaintFrame(hwnd, dc, client); })) {
        return result;
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

void GroupBox::PaintFrame(HWND hwnd, HDC dc, const RECT& client) {
    UINT dpi = WindowDpi(hwnd);
    std::wstring caption = WindowText(hwnd);
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    RECT frame = client;
    frame.top += text.cy / 2;
    const appearance::Style* style = StyleEngine::Instance().Drawing();
    int radius = MulDiv(style->cornerRadius, static_cast<int>(dpi), 96);
    int border = std::max(1, MulDiv(style->borderWidth, static_cast<int>(dpi), 96));
    HRGN outline = radius > 0 ? CreateRoundRectRgn(frame.left, frame.top, frame.right + 1, frame.bottom + 1, 2 * radius,
                                                   2 * radius)
                              : CreateRectRgnIndirect(&frame);
    FrameRgn(dc, outline, RoleBrush(ColorRole::Edge), border, border);
    DeleteObject(outline);
    if (!caption.empty()) {
        int gap = MulDiv(2, static_cast<int>(dpi), 96);
        RECT textRect{MulDiv(8, static_cast<int>(dpi), 96), 0, 0, text.cy};
        textRect.right = std::min<LONG>(textRect.left + text.cx, client.right - gap);
        RECT back{textRect.left - gap, 0, textRect.right + gap, text.cy};
        FillRect(dc, &back, BackgroundBrush());
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void GroupBox::ApplyDpi(int oldDpi) {
    Container::ApplyDpi(oldDpi);
    SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm().Font()), TRUE);
}

void GroupBox::Realign() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    SetWindowPos(frame_, HWND_BOTTOM, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
    // The caption runs through the top edge of the frame.
    RECT inner{Scale(6), Scale(16), client.right - Scale(6), client.bottom - Scale(6)};
    AlignChildren(inner);
}

// ---- Pages -----------------------------------------------------------------------------------

Page::Page(PageControl& owner, const std::wstring& caption) : Container(&owner, &owner.OwnerForm()), caption_(caption) {
    CreatePanelWindow();
    ShowWindow(hwnd_, SW_HIDE);
    owner.AddPage(this, caption);
}

PageControl::PageControl(Container& parent) : Container(&parent, &parent.OwnerForm()) {
    // Tab focus is off: the tabs never take the keyboard focus.
    HWND hwnd = CreateWindowExW(0, WC_TABCONTROLW, L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0, 0, 0, 0,
                                ParentHandle(), nullptr, Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
}

void PageControl::AddPage(Page* page, const std::wstring& caption) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(hwnd_, TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
    pages_.push_back(page);
    ShowActivePage();
}

int PageControl::ActivePageIndex() const { return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)); }

Page* PageControl::ActivePage() const {
    int index = ActivePageIndex();
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void PageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount()) index = -1;
    SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowActivePage();
}

void PageControl::ShowActivePage() {
    Page* active = ActivePage();
    for (Page* page : pages_) {
        if (page != active) ShowWindow(page->Handle(), SW_HIDE);
    }
    if (active) ShowWindow(active->Handle(), SW_SHOW);
}

void PageControl::SetTabWidth(int width) {
    SetWindowLongW(hwnd_, GWL_STYLE, GetWindowLongW(hwnd_, GWL_STYLE) | TCS_FIXEDWIDTH);
    SendMessageW(hwnd_, TCM_SETITEMSIZE, 0, MAKELPARAM(width, TabHeight()));
    Realign();
}

int PageControl::TabHeight() const {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return metrics.tmHeight + Scale(kTabPadding96);
}

void PageControl::ApplyDpi(int oldDpi) {
    Container::ApplyDpi(oldDpi);
    // A fixed tab size keeps its height through a change of font: set it for the new one.
    if (GetWindowLongW(hwnd_, GWL_STYLE) & TCS_FIXEDWIDTH) {
        RECT item{};
        int width = TabCtrl_GetItemRect(hwnd_, 0, &item) ? item.right - item.left : 0;
        SendMessageW(hwnd_, TCM_SETITEMSIZE, 0, MAKELPARAM(width, TabHeight()));
    }
    Realign();
}

void PageControl::SetBounds(const RECT& bounds) {
    Control::SetBounds(bounds);
    Realign();
}

void PageControl::Realign() {
    RECT display{};
    GetClientRect(hwnd_, &display);
    SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (Page* page : pages_) page->SetBounds(display);
}

bool PageControl::FilterMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
    return hwnd == hwnd_ && PaintStyled(hwnd_, message, BackgroundBrush(), ColorRole::Text, result,
                                        [this](HDC dc, const RECT& client) { Paint(dc, client); });
}

void PageControl::Paint(HDC dc, const RECT& client) {
    UINT dpi = WindowDpi(hwnd_);
    RECT display = client;
    SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    InflateRect(&display, 1, 1);
    FrameRect(dc, &display, RoleBrush(ColorRole::Edge));

    int selected = ActivePageIndex();
    for (int i = 0; i < PageCount(); ++i) {
        RECT tab{};
        if (!SendMessageW(hwnd_, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab))) continue;
        bool active = i == selected;
        if (active) {
            // The active tab stands out and joins its page.
            InflateRect(&tab, MulDiv(2, static_cast<int>(dpi), 96), 0);
            tab.top -= MulDiv(2, static_cast<int>(dpi), 96);
            tab.bottom = display.top + 1;
        }
        FillRect(dc, &tab, RoleBrush(active ? ColorRole::Window : ColorRole::Face));
        RECT edge = tab;
        if (active) edge.bottom -= 1;
        FrameRect(dc, &edge, RoleBrush(ColorRole::Edge));
        if (active) {
            RECT line{tab.left + 1, tab.bottom - 1, tab.right - 1, tab.bottom};
            FillRect(dc, &line, BackgroundBrush());
            RECT accent{tab.left, tab.top, tab.right, tab.top + MulDiv(2, static_cast<int>(dpi), 96)};
            FillRect(dc, &accent, RoleBrush(ColorRole::Accent));
        }
        const std::wstring& caption = pages_[static_cast<size_t>(i)]->Caption();
        SetTextColor(dc, RoleColor(active ? ColorRole::Text : ColorRole::FaceText));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tab,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

bool PageControl::HandleNotify(NMHDR& header, LRESULT& result) {
    if (header.code != TCN_SELCHANGE) return false;
    ShowActivePage();
    if (OnChange) OnChange(this);
    result = 0;
    return true;
}

}  // namespace tw::ui
