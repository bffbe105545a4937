#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "history/history_line.h"
#include "history/summary.h"
#include "runtime/pattern_format.h"

namespace tw {
namespace {

const FormatSettings kJa = FormatSettings::Japanese();

DateTime At(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
    return DateTime::FromParts(y, mo, d, h, mi, s, ms).value();
}

std::vector<std::wstring> Split(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (true) {
        size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return lines;
        start = end + 2;
    }
}

std::wstring Joined(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? L"\r\n" : L"") + lines[i];
    return text;
}

std::vector<std::wstring> Summarise(const std::vector<std::wstring>& history, DateTime attach, DateTime now) {
    SummaryBuild s = BuildSummary(
        Joined(history), attach, [now] { return now; }, kJa);
    std::vector<std::wstring> lines = Split(s.text);
    EXPECT_EQ(static_cast<int>(lines.size()), s.lineCount);
    return lines;
}

TEST(HistoryLine, OnlyMessagesBeginningWithHashBecomeLines) {
    EXPECT_FALSE(IsHistoryMessage(L""));
    EXPECT_FALSE(IsHistoryMessage(L"dw=123,Diff1=5"));
    EXPECT_FALSE(IsHistoryMessage(L" #1"));
    EXPECT_FALSE(IsHistoryMessage(L"x#1"));
    EXPECT_TRUE(IsHistoryMessage(L"#"));
    EXPECT_TRUE(IsHistoryMessage(L"#12 $9F"));
}

TEST(HistoryLine, TimeStampIsAlwaysTwentyCharacters) {
    EXPECT_EQ(HistoryLine(At(2025, 1, 2, 3, 4, 5), L"#1 $9F", kJa), L"2025/01/02 03:04:05 #1 $9F");
    EXPECT_EQ(HistoryLine(At(2025, 10, 9, 14, 3, 27, 999), L"#12 $9F", kJa), L"2025/10/09 14:03:27 #12 $9F");
    std::wstring bare = HistoryLine(At(2025, 10, 9, 23, 59, 59), L"#", kJa);
    EXPECT_EQ(bare.size(), 21u);
    EXPECT_EQ(bare[20], L'#');
}

TEST(HistoryLine, StampsReadBackUnderOtherSeparatorsToo) {
    FormatSettings dotted = kJa;
    dotted.DateSeparator = L'.';
    dotted.ShortDateFormat = L"dd/mm/yyyy";
    DateTime stamp;
    std::wstring line = HistoryLine(At(2025, 10, 9, 14, 3, 27), L"#1", dotted);
    EXPECT_EQ(line, L"2025.10.09 14:03:27 #1");
    ASSERT_TRUE(ReadHistoryStamp(line, dotted, stamp));
    EXPECT_EQ(stamp, At(2025, 10, 9, 14, 3, 27));
    // A stamp in another layout still goes through the locale reader.
    ASSERT_TRUE(ReadHistoryStamp(L"2025/10/9  14:03:27 #1", kJa, stamp));
    EXPECT_EQ(stamp, At(2025, 10, 9, 14, 3, 27));
}

TEST(HistoryLine, StampsReadBackOnlyFromCountedLines) {
    DateTime stamp;
    EXPECT_TRUE(ReadHistoryStamp(L"2025/10/09 14:03:27 #12 $9F", kJa, stamp));
    EXPECT_EQ(stamp, At(2025, 10, 9, 14, 3, 27));
    EXPECT_FALSE(ReadHistoryStamp(L"2025/10/09 14:03:27 ", kJa, stamp));  // 20 characters
    EXPECT_FALSE(ReadHistoryStamp(L"2025/10/09 14:03:27 x#1", kJa, stamp));
    EXPECT_FALSE(ReadHistoryStamp(L"2025/13/09 14:03:27 #1", kJa, stamp));  // no such month
    EXPECT_FALSE(ReadHistoryStamp(L"hand-edited garbage!#1", kJa, stamp));
}

TEST(Summary, BucketEndIsTheLastMillisecondOfItsHalfHour) {
    EXPECT_EQ(BucketEnd(At(2025, 10, 9, 14, 17, 45)), At(2025, 10, 9, 14, 29, 59, 999));
    EXPECT_EQ(BucketEnd(At(2025, 10, 9, 14, 30)), At(2025, 10, 9, 14, 59, 59, 999));
    EXPECT_EQ(BucketEnd(At(2025, 10, 9, 14, 29, 59, 999)), At(2025, 10, 9, 14, 29, 59, 999));
    EXPECT_EQ(BucketEnd(At(1899, 12, 29, 23, 45)), At(1899, 12, 29, 23, 59, 59, 999));  // before day 0
}

TEST(Summary, LineMatchesItsPatterns) {
    // The line is written by hand for speed; it must read as the two patterns would write it.
    FormatSettings dotted = kJa;
    dotted.DateSeparator = L'.';
    dotted.TimeSeparator = L'h';
    for (const FormatSettings& fs : {kJa, dotted}) {
        DateTime start = At(987, 3, 4, 5, 0), end = At(987, 3, 4, 5, 29, 59, 999);
        EXPECT_EQ(SummaryLine(start, end, 3, fs),
                  FormatDateTime(L"yyyy/mm/dd HH:nn-", start, fs) + FormatDateTime(L"HH:nn ", end, fs) + L"*** 3");
    }
}

TEST(Summary, EmptyHistoryGivesOneLinePerHalfHourUpToNow) {
    auto lines = Summarise({}, At(2025, 10, 9, 14, 17, 45, 300), At(2025, 10, 9, 15, 5));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"2025/10/09 14:17-14:29  0");
    EXPECT_EQ(lines[1], L"2025/10/09 14:30-14:59  0");
    EXPECT_EQ(lines[2], L"2025/10/09 15:00-15:29  0");
}

TEST(Summary, BucketBoundariesAndBars) {
    std::vector<std::wstring> history = {
        L"2025/10/09 14:00:00 #1 $9F",
        L"2025/10/09 14:29:59 #2 $9F",
        L"2025/10/09 14:30:00 #3 $9F",
        L"2025/10/09 14:31:00 #1 $74 [F5] Key",
    };
    for (int i = 0; i < 10; ++i)
        history.push_back(L"2025/10/09 15:0" + std::to_wstring(i) + L":00 #" + std::to_wstring(4 + i) + L" $9F");
    auto lines = Summarise(history, At(2025, 10, 9, 14, 0), At(2025, 10, 9, 15, 10));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"2025/10/09 14:00-14:29 ** 2");
    EXPECT_EQ(lines[1], L"2025/10/09 14:30-14:59 ** 2");  // presses and reloads count together
    EXPECT_EQ(lines[2], L"2025/10/09 15:00-15:29 ********** 10");
}

TEST(Summary, FirstBucketStartsAtTheWholeMinuteTheHistoryBegan) {
    auto lines = Summarise({}, At(2025, 10, 9, 14, 29, 59), At(2025, 10, 9, 14, 30, 0));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"2025/10/09 14:29-14:29  0");
    EXPECT_EQ(lines[1], L"2025/10/09 14:30-14:59  0");
}

TEST(Summary, BucketsGoOnAcrossMidnight) {
    auto lines = Summarise({L"2025/10/10 00:10:00 #1 $9F"}, At(2025, 10, 9, 23, 40), At(2025, 10, 10, 0, 15));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"2025/10/09 23:40-23:59  0");
    EXPECT_EQ(lines[1], L"2025/10/10 00:00-00:29 * 1");
}

TEST(Summary, LinesOutOfOrderAreNotAllCounted) {
    auto lines =
        Summarise({L"2025/10/09 14:10:00 #1 $9F", L"2025/10/09 14:40:00 #2 $9F", L"2025/10/09 14:20:00 #3 $9F"},
                  At(2025, 10, 9, 14, 0), At(2025, 10, 9, 15, 0));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"2025/10/09 14:00-14:29 * 1");
    EXPECT_EQ(lines[1], L"2025/10/09 14:30-14:59 * 1");
    EXPECT_EQ(lines[2], L"2025/10/09 15:00-15:29  0");
}

TEST(Summary, LinesWithoutAStampArePassedOverAndNeverStopAScan) {
    auto lines = Summarise({L"short", L"2025/10/09 14:05:00 $9F no hash here", L"2025/99/09 14:06:00 #9 unreadable",
                            L"2025/10/09 14:07:00 #1 $9F", L"2025/10/09 13:07:00 #0 before the history"},
                           At(2025, 10, 9, 14, 0), At(2025, 10, 9, 14, 10));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"2025/10/09 14:00-14:29 * 1");
}

TEST(Summary, LinesAfterNowAreNeverCounted) {
    auto lines = Summarise({L"2025/10/09 14:05:00 #1 $9F", L"2025/10/09 16:05:00 #2 $9F"}, At(2025, 10, 9, 14, 0),
                           At(2025, 10, 9, 14, 10));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], L"2025/10/09 14:00-14:29 * 1");
}

// A rebuild that begins where the last one left off gives what the whole rebuild gives, while
// lines are added at the end: in order, out of order, unreadable, after a gap of hours, with the
// clock set back, and after the attach time changes.
TEST(Summary, AResumedRebuildGivesTheWholeRebuildsResult) {
    std::vector<std::wstring> history;
    DateTime attach = At(2025, 10, 9, 14, 17, 45, 300);
    DateTime now = At(2025, 10, 9, 14, 20);
    SummaryResume resume;
    int resumedCount = 0;
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    for (int step = 0; step < 400; ++step) {
        std::uint32_t kind = next(20);
        DateTime stamp = now;
        if (kind == 0) stamp = now.AddMilliseconds(-static_cast<std::int64_t>(next(120)) * 60'000);  // out of order
        if (kind == 1) stamp = now.AddMilliseconds(static_cast<std::int64_t>(next(90)) * 60'000);    // ahead of now
        std::wstring line = HistoryLine(stamp, L"#" + std::to_wstring(step) + L" $9F", kJa);
        if (kind == 2) line = L"unreadable " + std::to_wstring(step);
        history.push_back(line);
        if (step == 250) now = now.AddMilliseconds(-3 * 3'600'000);  // the clock set back
        if (step == 300) attach = attach.AddMilliseconds(-45 * 60'000);
        now = now.AddMilliseconds(static_cast<std::int64_t>(next(kind == 3 ? 600 : 20)) * 60'000);

        std::wstring text = Joined(history);
        SummaryBuild whole = BuildSummary(
            text, attach, [now] { return now; }, kJa);
        int asked = 0;
        SummaryBuild resumed = BuildSummary(
            text, attach,
            [now, &asked] {
                ++asked;
                return now;
            },
            kJa, &resume);
        ASSERT_EQ(resumed.text, whole.text) << "step " << step;
        ASSERT_EQ(resumed.lineCount, whole.lineCount) << "step " << step;
        ASSERT_EQ(resumed.startTime, whole.startTime) << "step " << step;
        ASSERT_EQ(resumed.endTime, whole.endTime) << "step " << step;
        // A resumed rebuild asks the time only for the buckets it writes (and once to check it).
        if (asked < whole.lineCount / 2) ++resumedCount;
    }
    // Most rebuilds did resume.
    EXPECT_GT(resumedCount, 300);
}

TEST(Summary, KeepsTheCursorAndTheBirthTime) {
    DateTime now = At(2025, 10, 9, 15, 5);
    SummaryBuild s = BuildSummary(
        L"", At(2025, 10, 9, 14, 17, 45, 300), [now] { return now; }, kJa);
    EXPECT_EQ(s.bornTime, At(2025, 10, 9, 14, 17, 45));
    EXPECT_EQ(s.startTime, At(2025, 10, 9, 15, 30));
    EXPECT_EQ(s.endTime, At(2025, 10, 9, 15, 59, 59, 999));
}

}  // namespace
}  // namespace tw
