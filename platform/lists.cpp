#include "platform/lists.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/application.h"
#include "platform/form.h"
#include "platform/style_paint.h"
#include "platform/text.h"

namespace tw::ui {

// ---- ListBox ---------------------------------------------------------------------------------

ListBox::ListBox(Container& parent, int itemHeight96, bool sorted)
    : Control(&parent, &parent.OwnerForm()), itemHeight96_(itemHeight96), sorted_(sorted) {
    // Owner-drawn so that a selected row takes the style's colours when it changes, not only at
    // the next full repaint; sorted here, as the list's own sort follows the user's locale.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                  LBS_OWNERDRAWFIXED;
    HWND hwnd = CreateWindowExW(0, WC_LISTBOXW, L"", style, 0, 0, 0, 0, ParentHandle(), nullptr,
                                Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, Scale(itemHeight96_));
}

void ListBox::ApplyDpi(int oldDpi) {
    Control::ApplyDpi(oldDpi);
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, Scale(itemHeight96_));
}

void ListBox::Clear() { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }

void ListBox::Add(const std::wstring& text) {
    if (!sorted_) {
        SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    // The first row that sorts after the text (binary search over the sorted rows).
    int low = 0, high = Count();
    while (low < high) {
        int middle = (low + high) / 2;
        std::wstring row = Item(middle);
        if (CompareStringOrdinal(row.c_str(), static_cast<int>(row.size()), text.c_str(), static_cast<int>(text.size()),
                                 TRUE) == CSTR_GREATER_THAN) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(low), reinterpret_cast<LPARAM>(text.c_str()));
}

int ListBox::IndexOf(std::wstring_view text) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameTextIgnoringCase(Item(i), text)) return i;
    }
    return -1;
}

RECT ListBox::DrawRowBackground(const DRAWITEMSTRUCT& item) {
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    SetBkColor(item.hDC, RoleColor(selected ? ColorRole::Selection : ColorRole::Field));
    SetTextColor(item.hDC, RoleColor(!enabled   ? ColorRole::DisabledText
                                     : selected ? ColorRole::SelectionText
                                                : ColorRole::FieldText));
    return item.rcItem;
}

bool ListBox::HandleDrawItem(DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return true;
    RECT r = DrawRowBackground(item);
    std::wstring text = Item(static_cast<int>(item.itemID));
    HGDIOBJ oldFont = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    // As the list draws its own rows: one pixel in, the row filled behind the text.
    ExtTextOutW(item.hDC, r.left + 1, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
    SelectObject(item.hDC, oldFont);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
    return true;
}

HBRUSH ListBox::HandleCtlColor(HDC dc) {
    if (!Styled()) return nullptr;
    SetBkColor(dc, RoleColor(ColorRole::Field));
    SetTextColor(dc, RoleColor(ColorRole::FieldText));
    return RoleBrush(ColorRole::Field);
}

void ListBox::AddAll(const std::vector<std::wstring>& texts) {
    size_t chars = 0;
    for (const std::wstring& text : texts) chars += text.size() + 1;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(chars * sizeof(wchar_t)));
    for (const std::wstring& text : texts) Add(text);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

int ListBox::Count() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

std::wstring ListBox::Item(int index) const {
    LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ListBox::ItemIndex() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

void ListBox::SetItemIndex(int index) { SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int ListBox::TopIndex() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0)); }

void ListBox::SetTopIndex(int index) { SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }

int ListBox::ItemHeight() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0)); }

bool ListBox::HandleCommand(WORD code) {
    if (code != LBN_SELCHANGE) return false;
    if (OnClick) OnClick(this);
    return true;
}

// ---- CheckListBox ----------------------------------------------------------------------------

CheckListBox::CheckListBox(Container& parent, int itemHeight96) : ListBox(parent, itemHeight96, false) {}

bool CheckListBox::CheckedAt(int index) const {
    LRESULT data = SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data != LB_ERR && data != 0;
}

void CheckListBox::SetCheckedAt(int index, bool checked) {
    if (CheckedAt(index) == checked) return;
    SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index), checked ? 1 : 0);
    RECT r{};
    if (SendMessageW(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
        InvalidateRect(hwnd_, &r, FALSE);
    }
}

int CheckListBox::CheckAreaWidth() const { return ItemHeight() + Scale(2); }

bool CheckListBox::HandleDrawItem(DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return true;
    HDC dc = item.hDC;
    RECT r = DrawRowBackground(item);
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    FillRect(dc, &r, RoleBrush(selected ? ColorRole::Selection : ColorRole::Field));

    int box = std::min<int>(Scale(13), r.bottom - r.top - 2);
    RECT check{r.left + Scale(2), r.top + (r.bottom - r.top - box) / 2, 0, 0};
    check.right = check.left + box;
    check.bottom = check.top + box;
    bool checked = CheckedAt(static_cast<int>(item.itemID));
    if (Styled()) {
        PaintCheckMark(dc, check, checked, enabled, false, OwnerForm().Dpi());
    } else {
        RECT back = check;
        FillRect(dc, &back, GetSysColorBrush(COLOR_WINDOW));
        UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE);
        DrawFrameControl(dc, &check, DFC_BUTTON, state);
    }

    std::wstring text = Item(static_cast<int>(item.itemID));
    RECT textRect = r;
    textRect.left += CheckAreaWidth() + Scale(2);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
    return true;
}

bool CheckListBox::FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (hwnd != hwnd_) return false;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        // A click on the check mark toggles it; the click itself still selects the row.
        LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, lParam);
        int index = LOWORD(hit);
        if (HIWORD(hit) == 0 && static_cast<short>(LOWORD(lParam)) < CheckAreaWidth())
            SetCheckedAt(index, !CheckedAt(index));
    } else if (message == WM_CHAR && wParam == L' ') {
        int index = ItemIndex();
        if (index >= 0) SetCheckedAt(index, !CheckedAt(index));
        return true;
    }
    return false;
}

// ---- Memo ------------------------------------------------------------------------------------

Memo::Memo(Container& parent, const std::wstring& fontFace, int fontHeight96)
    : Control(&parent, &parent.OwnerForm()), fontFace_(fontFace), fontHeight96_(fontHeight96) {
    HWND hwnd = CreateWindowExW(0, WC_EDITW, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                0, 0, 0, 0, ParentHandle(), nullptr, Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
    // The history grows for months: lift the edit control's default text limit.
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm().FontFor(fontFace_, fontHeight96_)), FALSE);
}

void Memo::ApplyDpi(int oldDpi) {
    placement.Rescale(static_cast<int>(OwnerForm().Dpi()), oldDpi);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(OwnerForm().FontFor(fontFace_, fontHeight96_)), TRUE);
}

HBRUSH Memo::HandleCtlColor(HDC dc) {
    // A read-only edit asks as a static control; it keeps the field colour all the same.
    SetBkColor(dc, RoleColor(ColorRole::Field));
    SetTextColor(dc, RoleColor(ColorRole::FieldText));
    return RoleBrush(ColorRole::Field);
}

void Memo::Clear() { SetAllText(L"", 0); }

namespace {

// Apart from any timer the edit control may set for itself.
constexpr UINT_PTR kLoadTimer = 0x7457;
// One step of LoadLines aims at about this much of the thread's time, so that input and painting
// are never held up for long; the step's size follows what the last step cost. Each step also
// costs the edit control a pass over all it holds, so much shorter steps make the load far
// dearer. Time the thread spent waiting for the processor is not counted: on a busy machine
// steps would shrink and the load cost more just when the processor is scarce.
constexpr double kStepMilliseconds = 100;
constexpr size_t kFirstStepChars = 16 * 1024;
constexpr size_t kMinStepChars = 2 * 1024;
constexpr size_t kMaxStepChars = 4 * 1024 * 1024;
constexpr UINT kHiddenRetryMilliseconds = 200;

double ThreadMilliseconds() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](FILETIME t) { return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
    size_t size = 0;
    for (const std::wstring& line : lines) size += line.size() + 2;
    std::wstring text;
    text.reserve(size);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += L"\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace

void Memo::AppendToControl(size_t at, std::wstring_view text) {
    // Appending keeps the scroll position and the user's selection; a caret at the end stays at
    // the end, where the next line appears. A selection message costs the edit control a pass
    // over all its lines, so a caret already there is not moved at all.
    DWORD selStart = 0, selEnd = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const bool caretAtEnd = selStart == selEnd && selStart == at;
    if (!caretAtEnd) SendMessageW(hwnd_, EM_SETSEL, at, static_cast<LPARAM>(at));
    std::wstring piece(text);  // EM_REPLACESEL takes a terminated text
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    if (!caretAtEnd) SendMessageW(hwnd_, EM_SETSEL, selStart, static_cast<LPARAM>(selEnd));
}

void Memo::AddLine(std::wstring_view line) {
    size_t end = text_.size();
    bool loading = !ShowingAll();
    if (lineCount_ > 0) text_ += L"\r\n";
    text_ += line;
    ++lineCount_;
    // While a load is still being shown, the line goes with its last step.
    if (loading) return;
    AppendToControl(end, std::wstring_view(text_).substr(end));
    shown_ = text_.size();
}

void Memo::SetLines(const std::vector<std::wstring>& lines) {
    SetAllText(JoinLines(lines), static_cast<int>(lines.size()));
}

void Memo::LoadLines(const std::vector<std::wstring>& lines) {
    LoadText(JoinLines(lines), static_cast<int>(lines.size()));
}

void Memo::LoadText(std::wstring text, int lineCount) { Replace(std::move(text), lineCount, true); }

bool Memo::FilterMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_TIMER || wParam != kLoadTimer) return false;
    ShowNextStep();
    result = 0;
    return true;
}

bool Memo::LastLineVisible() const {
    auto lines = static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    auto lastStart = static_cast<WPARAM>(SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0));
    auto position = SendMessageW(hwnd_, EM_POSFROMCHAR, lastStart, 0);
    if (position == -1) return false;
    int y = static_cast<short>(HIWORD(position));
    return y >= 0 && y < ClientHeight();
}

void Memo::ShowNextStep() {
    if (ShowingAll()) {
        KillTimer(hwnd_, kLoadTimer);
        return;
    }
    // Nobody sees the memo while its window is hidden (not yet shown at start, or in the
    // notification area): the window's own start and whatever the user does come first.
    if (!IsWindowVisible(GetAncestor(hwnd_, GA_ROOT))) {
        SetTimer(hwnd_, kLoadTimer, kHiddenRetryMilliseconds, nullptr);
        return;
    }
    double started = ThreadMilliseconds();
    // Whoever watches the end of the history keeps watching it while it grows.
    bool follow = shown_ == 0 || LastLineVisible();
    size_t end = text_.find(L"\r\n", std::min(text_.size(), shown_ + stepChars_));
    if (end == std::wstring::npos) end = text_.size();
    AppendToControl(shown_, std::wstring_view(text_).substr(shown_, end - shown_));
    shown_ = end;
    if (follow) ScrollLines(lineCount_);
    if (ShowingAll()) {
        KillTimer(hwnd_, kLoadTimer);
    } else {
        // Counted from now, so that the queue empties between steps: a handler that lets pending
        // messages run (the clock's tick) gets to its own work before the next step.
        SetTimer(hwnd_, kLoadTimer, USER_TIMER_MINIMUM, nullptr);
    }
    double spent = ThreadMilliseconds() - started;
    if (spent < kStepMilliseconds / 2) {
        stepChars_ = std::min(kMaxStepChars, stepChars_ * 2);
    } else if (spent > kStepMilliseconds * 2) {
        stepChars_ = std::max(kMinStepChars, stepChars_ / 2);
    }
}

void Memo::SetAllText(std::wstring text, int lineCount) { Replace(std::move(text), lineCount, false); }

void Memo::Replace(std::wstring text, int lineCount, bool inSteps) {
    // A load still being shown ends here: the edit control holds text_'s first shown_ characters.
    KillTimer(hwnd_, kLoadTimer);
    const size_t held = shown_;
    // A rebuilt text mostly repeats the old one: only what follows the common beginning is
    // handed to the edit control, which is slow to take long texts whole.
    size_t common = 0;
    size_t shorter = std::min(text.size(), held);
    while (common < shorter && text[common] == text_[common]) ++common;
    const bool steps = inSteps && text.size() - common > kFirstStepChars;
    const size_t end = steps ? common : text.size();
    text_ = std::move(text);
    lineCount_ = lineCount;
    ++revision_;
    shown_ = end;
    if (common < held || common < end) {
        if (common == 0) {
            SetWindowTextW(hwnd_, text_.substr(0, end).c_str());
            // The caret waits at the end, as after a replacement.
            SendMessageW(hwnd_, EM_SETSEL, end, static_cast<LPARAM>(end));
        } else {
            std::wstring piece = text_.substr(common, end - common);  // EM_REPLACESEL takes a terminated text
            SendMessageW(hwnd_, EM_SETSEL, common, static_cast<LPARAM>(held));
            SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
        }
    }
    if (steps) {
        stepChars_ = kFirstStepChars;
        SetTimer(hwnd_, kLoadTimer, USER_TIMER_MINIMUM, nullptr);
    }
}

std::vector<std::wstring_view> Memo::Lines() const {
    std::vector<std::wstring_view> lines;
    if (lineCount_ == 0) return lines;
    lines.reserve(static_cast<size_t>(lineCount_));
    std::wstring_view text(text_);
    size_t start = 0;
    while (true) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void Memo::BeginUpdate() { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }

void Memo::EndUpdate() {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Memo::ScrollLines(int lines) { SendMessageW(hwnd_, EM_LINESCROLL, 0, lines); }

int Memo::FirstVisibleLine() const { return static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0)); }

}  // namespace tw::ui
