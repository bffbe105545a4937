#include "platform/status_bar.h"

#include <commctrl.h>

#include "platform/application.h"
#include "platform/form.h"
#include "platform/style_paint.h"

namespace tw::ui {

StatusBar::StatusBar(Container& parent, int panelCount, int panelWidth96)
    : Control(&parent, &parent.OwnerForm()), texts_(static_cast<size_t>(panelCount)) {
    // The layout places it; the bar does not move itself to the parent's bottom edge.
    HWND hwnd = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
                                0, 0, 0, ParentHandle(), nullptr, Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
    widths_.assign(static_cast<size_t>(panelCount), Scale(panelWidth96));
    UpdateParts();
}

void StatusBar::ApplyDpi(int oldDpi) {
    Control::ApplyDpi(oldDpi);
    for (int& width : widths_) width = MulDiv(width, static_cast<int>(OwnerForm().Dpi()), oldDpi);
    UpdateParts();
}

void StatusBar::UpdateParts() {
    std::vector<int> edges;
    int right = 0;
    for (int width : widths_) {
        right += width;
        edges.push_back(right);
    }
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < texts_.size(); ++i) {
        std::wstring centred = L"\t" + texts_[i];  // a leading tab centres the text in its panel
        SendMessageW(hwnd_, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(centred.c_str()));
    }
}

void StatusBar::SetPanelText(int index, const std::wstring& text) {
    if (texts_[static_cast<size_t>(index)] == text) return;
    texts_[static_cast<size_t>(index)] = text;
    std::wstring centred = L"\t" + text;
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(centred.c_str()));
}

void StatusBar::SetPanelWidth(int index, int width) {
    if (widths_[static_cast<size_t>(index)] == width) return;
    widths_[static_cast<size_t>(index)] = width;
    UpdateParts();
}

bool StatusBar::FilterMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
    return hwnd == hwnd_ && PaintStyled(hwnd_, message, RoleBrush(ColorRole::Face), ColorRole::FaceText, result,
                                        [this](HDC dc, const RECT& client) { PaintPanels(dc, client); });
}

void StatusBar::PaintPanels(HDC dc, const RECT& client) {
    RECT top{client.left, client.top, client.right, client.top + 1};
    FillRect(dc, &top, RoleBrush(ColorRole::Edge));
    for (size_t i = 0; i < texts_.size(); ++i) {
        RECT part{};
        if (!SendMessageW(hwnd_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&part))) continue;
        if (i + 1 < texts_.size()) {
            RECT separator{part.right - 1, part.top + 2, part.right, part.bottom - 2};
            FillRect(dc, &separator, RoleBrush(ColorRole::Edge));
        }
        DrawTextW(dc, texts_[i].c_str(), static_cast<int>(texts_[i].size()), &part,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

int StatusBar::TextWidth(const std::wstring& text) const {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, OwnerForm().Font());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size.cx;
}

}  // namespace tw::ui
