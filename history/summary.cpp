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

std::wstring SummaryLine(DateTime start, DateTime end, int count, const FormatSettings& fs) {
    std::wstring line = FormatDateTime(L"yyyy/mm/dd HH:nn-", start, fs);
    line += FormatDateTime(L"HH:nn ", end, fs);
    line.append(static_cast<size_t>(count > 0 ? count : 0), L'*');
    line += L' ';
    line += std::to_wstring(count);
    return line;
}

SummaryBuild BuildSummary(const std::vector<std::wstring_view>& lines, DateTime attachTime,
                     const std::function<DateTime()>& now, const FormatSettings& fs) {
    SummaryBuild summary;
    std::int64_t attach = attachTime.Milliseconds();
    std::int64_t born = attach - ((attach % 1000) + 1000) % 1000;
    summary.bornTime = DateTime::FromMilliseconds(born);
    summary.startTime = DateTime::FromMilliseconds(born - ((born % kMinute) + kMinute) % kMinute);
    summary.endTime = BucketEnd(summary.startTime);

    size_t scanStart = 0;
    do {
        int count = 0;
        size_t i = scanStart;
        for (; i < lines.size(); ++i) {
            DateTime stamp;
            if (!ReadHistoryStamp(lines[i], fs, stamp)) continue;
            if (stamp < summary.startTime) continue;
            if (stamp <= summary.endTime) {
                ++count;
                continue;
            }
            break;
        }
        // Lines the scan went past without stopping lie before every later bucket: they can
        // never count again, so the next scan may begin behind them.
        scanStart = i;
        if (summary.lineCount > 0) summary.text += L"\r\n";
        summary.text += SummaryLine(summary.startTime, summary.endTime, count, fs);
        ++summary.lineCount;
        summary.startTime = summary.endTime.AddMilliseconds(1);
        summary.endTime = BucketEnd(summary.startTime);
    } while (summary.startTime <= now());
    return summary;
}

}  // namespace tw
