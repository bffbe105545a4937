#pragma once
// A status bar with panels of settable widths and centred texts.
#include <string>
#include <vector>

#include "platform/control.h"

namespace tw::ui {

class StatusBar : public Control {
public:
    StatusBar(Container& parent, int panelCount, int panelWidth96);
    int PanelCount() const { return static_cast<int>(texts_.size()); }
    const std::wstring& PanelText(int index) const { return texts_[static_cast<size_t>(index)]; }
    void SetPanelText(int index, const std::wstring& text);
    int PanelWidth(int index) const { return widths_[static_cast<size_t>(index)]; }
    // In pixels.
    void SetPanelWidth(int index, int width);
    // Width of a text in the status bar's font, in pixels.
    int TextWidth(const std::wstring& text) const;
    int NaturalHeight() const override { return 19; }
    void ApplyDpi(int oldDpi) override;

protected:
    // In a style of our own the bar paints itself: it ignores background colours under themes.
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void UpdateParts();
    void PaintPanels(HDC dc, const RECT& client);
    std::vector<std::wstring> texts_;
    std::vector<int> widths_;
};

}  // namespace tw::ui
