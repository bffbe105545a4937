#pragma once
// How the window's tabs, status panels, interval boxes and hint check box follow its size.
// All widths are pixels; divisions drop the remainder.

namespace tw {

// Every tab gets the page control's width divided by one more than the number of pages.
constexpr int TabWidth(int pageControlWidth, int pageCount) { return pageControlWidth / (pageCount + 1); }

// The clock panel: its text's width plus one fifth.
constexpr int ClockPanelWidth(int textWidth) { return textWidth * 12 / 10; }

// Panels 1 to 3 share what the clock panel leaves.
constexpr int OtherPanelWidth(int clientWidth, int clockPanelWidth) { return (clientWidth - clockPanelWidth) / 3; }

// The interval boxes: the key-press panel's width divided by one more than its columns.
constexpr int IntervalBoxWidth(int panelClientWidth, int columns) { return panelClientWidth / (columns + 1); }

// Left margin that centres the hint check box in its cell (toward zero, as C++ divides).
constexpr int CentredLeftMargin(int panelClientWidth, int columns, int checkBoxWidth) {
    return (panelClientWidth / columns - checkBoxWidth) / 2;
}

}  // namespace tw

namespace tw {

// The row to show first so that the selected row stands in the middle of a list; never above
// the first row.
constexpr int CentredTopIndex(int selected, int clientHeight, int itemHeight) {
    int visible = itemHeight > 0 ? clientHeight / itemHeight : 0;
    int first = selected - visible / 2;
    return first < 0 ? 0 : first;
}

}  // namespace tw
