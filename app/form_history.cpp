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
    HistoryMemo.AddLine(HistoryLine(services_.clock.LocalNow(), message, services_.format));
    UpdateSummary();
}

void TTapwhileForm::UpdateSummary() {
    bool shown = Pages.ActivePage() == &Summary;
    int firstVisible = SummaryMemo.FirstVisibleLine();
    {
        UpdateLock lock(SummaryMemo);
        // Rebuilt after every line; the buckets that lines added at the end cannot change are
        // taken from the last rebuild while the history only grew.
        if (HistoryMemo.Revision() != summaryHistoryRevision_) {
            summaryResume_ = {};
            summaryHistoryRevision_ = HistoryMemo.Revision();
        }
        SummaryBuild summary = BuildSummary(
            HistoryMemo.AllText(), attachTime_, [this] { return services_.clock.LocalNow(); }, services_.format,
            &summaryResume_);
        bornTime_ = summary.bornTime;
        // The first rebuild after a long history was taken over fills the memo: in steps.
        SummaryMemo.LoadText(std::move(summary.text), summary.lineCount);
    }
    // Off its page the summary keeps where it was; on it, the newest buckets come into view.
    SummaryMemo.ScrollLines(shown ? SummaryMemo.LineCount() : firstVisible - SummaryMemo.FirstVisibleLine());
}

void TTapwhileForm::PagesChange(ui::Object*) {
    ui::Page* page = Pages.ActivePage();
    if (page == &KeyCode) {
        CentreSelectedRow(KeyCodeList);
    } else if (page == &Log) {
        HistoryMemo.ScrollLines(HistoryMemo.LineCount());
    } else if (page == &Summary) {
        UpdateSummary();
        SummaryMemo.ScrollLines(SummaryMemo.LineCount());
    } else if (page == &Style) {
        CentreSelectedRow(StyleList);
    }
}

}  // namespace tw
