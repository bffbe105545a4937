#pragma once
// The half-hour summary of the history: one line per bucket from the minute the history began
// up to the bucket that holds the current time, with a bar of "*" and the count.
#include <functional>
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// The last millisecond of the half hour that holds t (minute 29 or 59, second 59, ms 999).
DateTime BucketEnd(DateTime t);

// "yyyy/mm/dd HH:nn-" + "HH:nn " + count stars + " " + count.
void AppendSummaryLine(std::wstring& text, DateTime start, DateTime end, int count, const FormatSettings& fs);
std::wstring SummaryLine(DateTime start, DateTime end, int count, const FormatSettings& fs);

struct SummaryBuild {
    std::wstring text;  // the lines, joined by CR LF
    int lineCount = 0;
    DateTime bornTime;   // the history's start with milliseconds cleared
    DateTime startTime;  // the cursor as the rebuild left it
    DateTime endTime;
};

// What a rebuild leaves for the next one over the same history grown at its end: the leading
// buckets whose scan stopped before the history's end, which no line added after it can change.
struct SummaryResume {
    std::wstring text;  // those buckets' lines
    int lineCount = 0;
    DateTime lastStart;    // the last of them
    DateTime nextStart;    // the bucket after them
    size_t scanStart = 0;  // where its scan begins
    size_t historyLength = 0;
    DateTime attachTime;
};

// Rebuilds the summary from the history text (lines joined by CR LF). The scan of a bucket stops at the first line
// stamped after it, and the next bucket's scan starts there, so lines out of time order are not
// all counted. Lines without "#" at position 21, or whose stamp does not read, are passed over.
// now() is asked again before each further bucket.
// With `resume`, the rebuild begins where the last one with the same resume, attach time and
// format settings left it, and leaves it for the next. The caller empties it (= {}) whenever the
// history changed other than by lines added at its end; the result is the whole rebuild's.
SummaryBuild BuildSummary(std::wstring_view history, DateTime attachTime, const std::function<DateTime()>& now,
                          const FormatSettings& fs, SummaryResume* resume = nullptr);

}  // namespace tw
