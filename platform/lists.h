#pragma once
// Lists: a plain sorted list, a list with a check mark per row, and the read-only memo.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"

namespace tw::ui {

class ListBox : public Control {
public:
    // A sorted list keeps its rows in alphabetical order without regard to case, the same under
    // every locale; an unsorted one keeps them as added.
    ListBox(Container& parent, int itemHeight96, bool sorted = true);
    void Clear();
    // Inserts the row in its place in the order, or at the end of an unsorted list.
    void Add(const std::wstring& text);
    // The row whose whole text equals the text without regard to case; -1 when none does.
    int IndexOf(std::wstring_view text) const;
    // Adds many rows at once, redrawing once at the end.
    void AddAll(const std::vector<std::wstring>& texts);
    int Count() const;
    std::wstring Item(int index) const;
    // -1 when no row is selected. Setting it from code is not a click.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    int ItemHeight() const;
    Event OnClick;

    bool HandleCommand(WORD code) override;
    void ApplyDpi(int oldDpi) override;
    // The rows are drawn here, in the colours of the active look.
    bool HandleDrawItem(DRAWITEMSTRUCT& item) override;
    HBRUSH HandleCtlColor(HDC dc) override;

protected:
    // Fills the row and sets the text colours; the rectangle left for the text.
    RECT DrawRowBackground(const DRAWITEMSTRUCT& item);
    int itemHeight96_;
    bool sorted_;
};

// Rows stay as added: a locale's collation may order texts differently from their codes.
class CheckListBox : public ListBox {
public:
    explicit CheckListBox(Container& parent, int itemHeight96);
    bool CheckedAt(int index) const;
    void SetCheckedAt(int index, bool checked);

    bool HandleDrawItem(DRAWITEMSTRUCT& item) override;

protected:
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int CheckAreaWidth() const;
};

class Memo : public Control {
public:
    Memo(Container& parent, const std::wstring& fontFace, int fontHeight96);
    void Clear();
    // Appends a line at the end; the memo has no length limit.
    void AddLine(std::wstring_view line);
    void SetLines(const std::vector<std::wstring>& lines);
    // As SetLines, but a long change reaches the edit control in steps between messages, so that
    // a long history does not hold up the window: the edit control takes a long text slowly. The
    // memo's lines are complete at once; Text() grows until ShowingAll(). A short change is shown
    // at once. The steps wait while the memo's top-level window is hidden.
    void LoadLines(const std::vector<std::wstring>& lines);
    // As LoadLines, for lines already joined by CR LF.
    void LoadText(std::wstring text, int lineCount);
    bool ShowingAll() const { return shown_ == text_.size(); }
    int LineCount() const { return lineCount_; }
    // All lines, in order, as views of the memo's text (valid until the next change).
    std::vector<std::wstring_view> Lines() const;
    // The whole text, lines joined by CR LF.
    const std::wstring& AllText() const { return text_; }
    // Changes whenever the text changes other than by AddLine.
    std::uint64_t Revision() const { return revision_; }
    void SetAllText(std::wstring text, int lineCount);
    // Repainting is suspended between these two calls.
    void BeginUpdate();
    void EndUpdate();
    void ScrollLines(int lines);
    int FirstVisibleLine() const;

    HBRUSH HandleCtlColor(HDC dc) override;
    void ApplyDpi(int oldDpi) override;

protected:
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Makes `text` the memo's text. The edit control keeps the beginning it shares with it and
    // receives the rest at once, or in steps when `inSteps` and the rest is long.
    void Replace(std::wstring text, int lineCount, bool inSteps);
    // Appends text to the edit control's text at position `at`, keeping the selection.
    void AppendToControl(size_t at, std::wstring_view text);
    void ShowNextStep();
    bool LastLineVisible() const;

    std::wstring fontFace_;
    int fontHeight96_;
    // The memo is read-only and changed only through these calls, so it keeps its text at hand
    // rather than asking the edit control for megabytes at every read.
    std::wstring text_;
    int lineCount_ = 0;
    std::uint64_t revision_ = 0;
    // How much of text_ the edit control holds: all of it, or during LoadLines a beginning that
    // ends at a line's end.
    size_t shown_ = 0;
    size_t stepChars_ = 0;
};

}  // namespace tw::ui
