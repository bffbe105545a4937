#include "engine/workers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tw {
namespace {

const FormatSettings kJa = FormatSettings::Japanese();

UniformRandom Seeded(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return std::uniform_real_distribution<double>(0, 1)(*engine); };
}

TEST(Workers, ZeroRateGivesExactlyTheConfiguredMinutes) {
    UniformRandom uniform = Seeded(1);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(DrawInterval(5, 0, uniform), 300'000);
    EXPECT_EQ(DrawInterval(0, 0, uniform), 60'000);  // a box being edited counts as one minute
}

TEST(Workers, DrawnIntervalsStayWithinOneMillisecondAndTwiceTheMean) {
    UniformRandom uniform = Seeded(7);
    double sum = 0, squares = 0;
    const int draws = 20'000;
    for (int i = 0; i < draws; ++i) {
        std::int32_t interval = DrawInterval(60, 50, uniform);
        ASSERT_GE(interval, 1);
        ASSERT_LE(interval, 7'200'000);
        sum += interval;
        squares += static_cast<double>(interval) * interval;
    }
    double mean = sum / draws;
    double sd = std::sqrt(squares / draws - mean * mean);
    // Truncating symmetric tails keeps the mean; it narrows the spread a little.
    EXPECT_NEAR(mean, 3'600'000, 30'000);
    EXPECT_GT(sd, 1'500'000);
    EXPECT_LT(sd, 1'800'000);
}

TEST(Workers, EveryMinutesAndRateGiveAnIntervalInRangeAndTheDrawEnds) {
    UniformRandom uniform = Seeded(3);
    const std::int64_t top = std::numeric_limits<std::int32_t>::max();
    struct Case {
        int minutes, rate;
        std::int64_t mean;
    };
    for (const Case& c : {Case{40'000, 10, top}, Case{999'999'999, 50, top}, Case{-5, 10, 60'000},
                          Case{60, 1'000'000, 3'600'000}, Case{1, -50, 60'000}, Case{35'791, 50, 2'147'460'000},
                          Case{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), top}}) {
        EXPECT_EQ(MinutesToInterval(c.minutes), c.mean) << c.minutes;
        for (int i = 0; i < 50; ++i) {
            std::int32_t interval = DrawInterval(c.minutes, c.rate, uniform);
            ASSERT_GE(interval, 1) << c.minutes << " " << c.rate;
            ASSERT_LE(interval, std::min<std::int64_t>(2 * c.mean, top)) << c.minutes << " " << c.rate;
        }
    }
}

TEST(Workers, NormalRandomNeverTakesTheCentreOfTheCircle) {
    // A source that first yields the exact centre (s = 0) must not produce NaN.
    std::vector<double> values = {0.5, 0.5, 0.75, 0.5};
    size_t next = 0;
    float x = NormalRandom(100, 10, [&] { return values[next++ % values.size()]; });
    EXPECT_FALSE(std::isnan(x));
    EXPECT_EQ(next, 4u);
}

TEST(Workers, HistoryMessagesAndLabels) {
    EXPECT_EQ(PressMessage(12, 0x9F, L""), L"#12 $9F");
    EXPECT_EQ(PressMessage(1234, 0x74, L""), L"#1234 $74");
    EXPECT_EQ(PressMessage(3, 0x0D, L""), L"#3 $0D");
    EXPECT_EQ(PressMessage(12, 0x9F, AfterSuffix(288'123, 300'000, kJa)), L"#12 $9F after 00:04:48.123 96.0%");
    EXPECT_EQ(AfterSuffix(2'750, 300'000, kJa), L" after 00:00:02.750 0.9%");
    EXPECT_EQ(AfterSuffix(5'400'000, 3'600'000, kJa), L" after 01:30:00.000 150.0%");
    EXPECT_EQ(AfterSuffix(60'000, 60'000, kJa), L" after 00:01:00.000 100.0%");
    EXPECT_EQ(ReloadMessage(5), L"#5 $74 [F5] Key");
    DateTime now = DateTime::FromParts(2025, 10, 9, 14, 5, 59).value();
    EXPECT_EQ(CountLabel(1234, now, kJa), L"1,234 回め、2025/10/09 14:05");
    EXPECT_EQ(CountLabel(5, now, kJa), L"5 回め、2025/10/09 14:05");
}

TEST(Workers, BrowsersAreRecognisedByTheExactStartOfTheClassName) {
    std::array<std::wstring, 4> browsers = {L"Chrome_WidgetWin", L"MozillaWindowClass", L"OperaWindowClass",
                                            L"IEFrame"};
    struct Case {
        const wchar_t* className;
        bool browser;
    } cases[] = {
        {L"Chrome_WidgetWin_1", true},
        {L"Chrome_WidgetWin", true},
        {L"MozillaWindowClass", true},
        {L"OperaWindowClass", true},
        {L"IEFrame", true},
        {L"chrome_widgetwin_1", false},
        {L"IEFram", false},
        {L"Notepad", false},
        {L"", false},
        {L"XChrome_WidgetWin_1", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsBrowserClass(c.className, browsers), c.browser) << c.className;
}

}  // namespace
}  // namespace tw
