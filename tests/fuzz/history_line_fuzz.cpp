// The history reader on any hand-over file: every line's time stamp, read as the summary reads
// it. Further readers of the history text belong in ReadHistory.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "history/history_line.h"
#include "history/summary.h"

using namespace tw;
using tw::fuzz::Check;

namespace {

void ReadLine(const std::wstring& line, const FormatSettings& fs) {
    DateTime stamp;
    if (!ReadHistoryStamp(line, fs, stamp)) {
        return;
    }
    // The stamp the program would write for that moment reads back as it.
    DateTime again;
    Check(ReadHistoryStamp(HistoryLine(stamp, std::wstring_view(line).substr(20), fs), fs, again));
    Check(again == fuzz::WholeSecond(stamp));
}

// The summary over the same text, as the window joins the lines: it ends, writes one line per
// half hour up to now, and counts no more lines than there are.
void Summarise(const std::vector<std::wstring>& lines, const FormatSettings& fs) {
    std::wstring text;
    DateTime attach = DateTime::FromParts(2025, 10, 9, 14, 17, 45).value();
    for (size_t i = 0; i < lines.size(); ++i) {
        text += (i ? L"\r\n" : L"") + lines[i];
        DateTime stamp;
        if (i == 0 && ReadHistoryStamp(lines[i], fs, stamp)) attach = stamp;
    }
    DateTime now = attach.AddMilliseconds(6 * 3'600'000);
    SummaryBuild summary = BuildSummary(
        text, attach, [now] { return now; }, fs);
    Check(summary.lineCount >= 1 && summary.lineCount <= 14);
    // Resumed from a rebuild over the first half of the lines, the rebuild is the whole one.
    std::wstring firstHalf;
    for (size_t i = 0; i < lines.size() / 2; ++i) firstHalf += (i ? L"\r\n" : L"") + lines[i];
    SummaryResume resume;
    BuildSummary(
        firstHalf, attach, [now] { return now; }, fs, &resume);
    SummaryBuild resumed = BuildSummary(
        text, attach, [now] { return now; }, fs, &resume);
    Check(resumed.text == summary.text && resumed.lineCount == summary.lineCount);
    std::size_t stars = 0;
    for (wchar_t c : summary.text) stars += c == L'*';
    Check(stars <= lines.size());
}

void ReadHistory(const std::wstring& text, const FormatSettings& fs) {
    std::vector<std::wstring> lines = SplitLines(text);
    // The lines in one piece are the same lines.
    const JoinedLines joined = LinesRejoinedWithCrLf(text);
    Check(joined.count == static_cast<int>(lines.size()));
    Check(joined.count == 0 ? joined.text.empty() : SplitLines(joined.text + L"\r\n") == lines);
    for (const std::wstring& line : lines) {
        ReadLine(line, fs);
    }
    Summarise(lines, fs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    ReadHistory(fuzz::FileText(fuzz::Bytes(data + 1, size - 1)), fuzz::Conventions(data[0]));
    return 0;
}
