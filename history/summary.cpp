#include "history/summary.h"

#include "history/history_line.h"
#include "runtime/pattern_format.h"

namespace tw {

namespace {
constexpr std::int64_t kMinute = 60'000;
constexpr std::int64_t kHalfHour = 30 * kMinute;
}  // namespace

DateTime BucketEnd(DateTime t) {
    // Half hours start at whole multiples of 30 minutes from day 0, before it too.
    std::int64_t ms = t.Milliseconds();
    std::int64_t start = ms - ((ms % kHalfHour) + kHalfHour) % kHalfHour;
    return DateTime::FromMilliseconds(start + kHalfHour - 1);
}

namespace {

void AppendDigits(std::wstring& text, int value, int width) {
    wchar_t digits[8];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    }
    text.append(digits, static_cast<size_t>(width));
}

}  // namespace

// Written by hand rather than through the pattern formatter: the rebuild writes a line per
// half hour since the history began, after every press.
void AppendSummaryLine(std::wstring& text, DateTime start, DateTime end, int count, const FormatSettings& fs) {
    DateTime::Parts from = start.ToParts();
    DateTime::Parts to = end.ToParts();
    AppendDigits(text, from.year, 4);
    text += fs.DateSeparator;
    AppendDigits(text, from.month, 2);
    text += fs.DateSeparator;
    AppendDigits(text, from.day, 2);
    text += L' ';
    AppendDigits(text, from.hour, 2);
    text += fs.TimeSeparator;
    AppendDigits(text, from.minute, 2);
    text += L'-';
    AppendDigits(text, to.hour, 2);
    text += fs.TimeSeparator;
    AppendDigits(text, to.minute, 2);
    text += L' ';
    text.append(static_cast<size_t>(count > 0 ? count : 0), L'*');
    text += L' ';
    text += std::to_wstring(count);
}

std::wstring SummaryLine(DateTime start, DateTime end, int count, const FormatSettings& fs) {
    std::wstring line;
    AppendSummaryLine(line, start, end, count, fs);
    return line;
}

namespace {

// Whether the rebuild may begin where `resume` left the last one.
bool CanResume(const SummaryResume& resume, std::wstring_view history, DateTime attachTime,
               const std::function<DateTime()>& now) {
    if (resume.lineCount == 0 || resume.attachTime != attachTime) return false;
    if (history.size() < resume.historyLength || resume.scanStart > history.size()) return false;
    // A clock set back ends the summary before buckets that were kept.
    return resume.lineCount == 1 || resume.lastStart <= now();
}

}  // namespace

SummaryBuild BuildSummary(std::wstring_view history, DateTime attachTime, const std::function<DateTime()>& now,
                          const FormatSettings& fs, SummaryResume* resume) {
    SummaryBuild summary;
    std::int64_t attach = attachTime.Milliseconds();
    std::int64_t born = attach - ((attach % 1000) + 1000) % 1000;
    summary.bornTime = DateTime::FromMilliseconds(born);
    summary.startTime = DateTime::FromMilliseconds(born - ((born % kMinute) + kMinute) % kMinute);
    summary.endTime = BucketEnd(summary.startTime);

    // The scan start is the offset of a line in the history text; npos once no line is left.
    constexpr size_t kNoLine = std::wstring_view::npos;
    size_t scanStart = history.empty() ? kNoLine : 0;
    if (resume && CanResume(*resume, history, attachTime, now)) {
        summary.text = resume->text;
        summary.lineCount = resume->lineCount;
        summary.startTime = resume->nextStart;
        summary.endTime = BucketEnd(summary.startTime);
        scanStart = resume->scanStart;
    } else if (resume) {
        *resume = {};
    }
    // The leading buckets whose scan stopped before the end of the text.
    size_t keptLength = resume ? resume->text.size() : 0;
    while (summary.lineCount == 0 || summary.startTime <= now()) {
        int count = 0;
        size_t at = scanStart;
        while (at != kNoLine) {
            size_t end = history.find(L"\r\n", at);
            std::wstring_view line = history.substr(at, end == kNoLine ? kNoLine : end - at);
            DateTime stamp;
            if (ReadHistoryStamp(line, fs, stamp) && stamp >= summary.startTime) {
                if (stamp > summary.endTime) break;
                ++count;
            }
            at = end == kNoLine ? kNoLine : end + 2;
        }
        // Lines the scan went past without stopping lie before every later bucket: they can
        // never count again, so the next scan may begin behind them.
        scanStart = at;
        if (summary.lineCount > 0) summary.text += L"\r\n";
        AppendSummaryLine(summary.text, summary.startTime, summary.endTime, count, fs);
        ++summary.lineCount;
        DateTime bucketStart = summary.startTime;
        summary.startTime = summary.endTime.AddMilliseconds(1);
        summary.endTime = BucketEnd(summary.startTime);
        // A scan that stopped on a line stops there whatever follows the text's end; once one
        // reaches the end, every later one may count lines added there.
        if (resume && at != kNoLine) {
            keptLength = summary.text.size();
            resume->lineCount = summary.lineCount;
            resume->lastStart = bucketStart;
            resume->nextStart = summary.startTime;
            resume->scanStart = at;
        }
    }
    if (resume) {
        resume->text.assign(summary.text, 0, keptLength);
        resume->historyLength = history.size();
        resume->attachTime = attachTime;
    }
    return summary;
}

}  // namespace tw
