#pragma once
// Containers that lay out controls: grid panels (rows and columns as shares of the space),
// group boxes, and the page control with its pages.
#include <string>
#include <vector>

#include "platform/control.h"

namespace tw::ui {

// A row or column of a grid panel: a percentage of the space left after the automatic ones,
// or sized to the natural height of its content.
struct Share {
    double percent = 0;
    bool automatic = false;
    static Share Percent(double value) { return {value, false}; }
    static Share Auto() { return {0, true}; }
};

class GridPanel : public Container {
public:
    GridPanel(Container& parent, std::vector<Share> columns, std::vector<Share> rows);
    void Realign() override;
    const std::vector<Share>& Columns() const { return columns_; }
    const std::vector<Share>& Rows() const { return rows_; }
    Event OnResize;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<Share> columns_;
    std::vector<Share> rows_;
};

class GroupBox : public Container {
public:
    GroupBox(Container& parent, const std::wstring& caption);
    void Realign() override;
    void ApplyDpi(int oldDpi) override;

private:
    static LRESULT FrameProc(HWND, UINT, WPARAM, LPARAM, void*);
    static void PaintFrame(HWND frame, HDC dc, const RECT& client);
    HWND frame_ = nullptr;
};

class PageControl;

class Page : public Container {
public:
    Page(PageControl& owner, const std::wstring& caption);
    const std::wstring& Caption() const { return caption_; }

private:
    std::wstring caption_;
};

class PageControl : public Container {
public:
    explicit PageControl(Container& parent);
    void AddPage(Page* page, const std::wstring& caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    Page* PageAt(int index) const { return pages_[static_cast<size_t>(index)]; }
    // -1 when no page is active. Setting it from code does not run OnChange.
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    Page* ActivePage() const;
    void SetTabWidth(int width);
    Event OnChange;

    void Realign() override;
    void ApplyDpi(int oldDpi) override;
    void SetBounds(const RECT& bounds) override;
    bool HandleNotify(NMHDR& header, LRESULT& result) override;

protected:
    // In a style of our own the tabs are drawn here; the control's own drawing knows only the
    // system's colours.
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Paint(HDC dc, const RECT& client);
    void ShowActivePage();
    // The tabs' height for the control's font: its line height and the tabs' padding.
    int TabHeight() const;
    std::vector<Page*> pages_;
};

}  // namespace tw::ui
