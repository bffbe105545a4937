// The history page, the half-hour summary and the scrolling that follows a change of page.
#include <algorithm>

#include "app/tapwhile_form.h"
#include "appearance/layout_formulas.h"
#include "history/history_line.h"
#include "history/summary.h"

namespace tw {

namespace {

void CentreSelectedRow(ui::ListBox& list) {
    list.SetTopIndex(CentredTopIndex(list.ItemIndex(), list.ClientHeight(), list.ItemHeight()));
}

// Repainting of the memo resumes however the rebuild ends.
class UpdateLock {
public:
    explicit UpdateLock(ui::Memo& memo) : memo_(memo) { memo_.BeginUpdate(); }
    ~UpdateLock() { memo_.EndUpdate(); }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    ui::Memo& memo_;
};

}  // namespace

void TTapwhileForm::AddLog(const std::wstring& message) {
    if (OnLogMessage) OnLogMessage(message);
    if (!IsHistoryMessage(message)) return;
    Memo1.AddLine(HistoryLine(services_.clock.LocalNow(), message, services_.format));
    UpdateSummary();
}

void TTapwhileForm::UpdateSummary() {
    bool shown = PageControl1.ActivePage() == &Summary;
    int firstVisible = Memo2.FirstVisibleLine();
    {
        UpdateLock lock(Memo2);
        SummaryBuild summary = BuildSummary(
            Memo1.AllText(), AttachTime0, [this] { return services_.clock.LocalNow(); }, services_.format);
        BornTime0 = summary.bornTime;
        StartTime0 = summary.startTime;
        EndTime0 = summary.endTime;
        Memo2.SetAllText(std::move(summary.text), summary.lineCount);
    }
    // Off its page the summary keeps where it was; on it, the newest buckets come into view.
    Memo2.ScrollLines(shown ? Memo2.LineCount() : firstVisible - Memo2.FirstVisibleLine());
}

void TTapwhileForm::PageControl1Change(ui::Object*) {
    ui::Page* page = PageControl1.ActivePage();
    if (page == &KeyCode) {
        CentreSelectedRow(CheckListBox1);
    } else if (page == &Log) {
        Memo1.ScrollLines(Memo1.LineCount());
    } else if (page == &Summary) {
        UpdateSummary();
        Memo2.ScrollLines(Memo2.LineCount());
    } else if (page == &Style) {
        CentreSelectedRow(ListBox1);
    }
}

}  // namespace tw
