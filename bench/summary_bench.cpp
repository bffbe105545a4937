// Prints the cost of a summary rebuild over one year of history (a line a minute) as a ratio
// to one plain pass that counts the lines of the same text, both measured in this run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "history/history_line.h"
#include "history/summary.h"

namespace {

template <typename F>
double BestMilliseconds(int rounds, F&& work) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main() {
    const tw::FormatSettings fs = tw::FormatSettings::Japanese();
    const int minutes = 525'600;
    tw::DateTime begin = tw::DateTime::FromParts(2025, 1, 1, 0, 0, 0).value();
    tw::DateTime now = begin.AddMilliseconds(static_cast<std::int64_t>(minutes) * 60'000 - 1);
    std::wstring text;
    text.reserve(static_cast<size_t>(minutes) * 56);
    for (int i = 0; i < minutes; ++i) {
        if (i) text += L"\r\n";
        text += tw::HistoryLine(begin.AddMilliseconds(static_cast<std::int64_t>(i) * 60'000 + 7'000),
                                L"#" + std::to_wstring(i + 1) + L" $9F after 00:00:57.600 96.0%", fs);
    }

    size_t counted = 0;
    double plain =
        BestMilliseconds(5, [&] { counted = 1 + static_cast<size_t>(std::count(text.begin(), text.end(), L'\n')); });

    int buckets = 0;
    double rebuild = BestMilliseconds(5, [&] {
        tw::SummaryBuild s = tw::BuildSummary(
            text, begin, [now] { return now; }, fs);
        buckets = s.lineCount;
    });

    std::printf("history: %zu lines, summary: %d buckets\n", counted, buckets);
    std::printf("plain line count: %.2f ms, summary rebuild: %.2f ms, ratio %.2f (target: at most 3)\n", plain, rebuild,
                rebuild / plain);
    return 0;
}
