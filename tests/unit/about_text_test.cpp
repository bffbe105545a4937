#include "about/about_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/elapsed_text.h"

namespace tw {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    return DateTime::FromParts(year, month, day, hour, minute, second, ms).value();
}

TEST(ElapsedText, DaysOnlyWhenThereAreAnyAndNoLeadingZeros) {
    const DateTime start = At(2025, 10, 9, 14, 5);
    struct Case {
        std::int64_t ms;
        const wchar_t* text;
    } cases[] = {
        {0, L"0h0m0s"},
        {45'000, L"0h0m45s"},
        {45'999, L"0h0m45s"},  // seconds are whole
        {5 * 60'000, L"0h5m0s"},
        {(3600 + 5 * 60 + 3) * 1000LL, L"1h5m3s"},
        {DateTime::MsPerDay - 1, L"23h59m59s"},
        {DateTime::MsPerDay, L"1d0h0m0s"},
        {2 * DateTime::MsPerDay + (3 * 3600 + 4 * 60 + 5) * 1000LL, L"2d3h4m5s"},
        {400 * DateTime::MsPerDay + 61'000, L"400d0h1m1s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ElapsedText(start, start.AddMilliseconds(c.ms)), c.text) << c.ms;
        // A start in the future (a settings file from a computer with another clock) counts the
        // distance all the same.
        EXPECT_EQ(ElapsedText(start.AddMilliseconds(c.ms), start), c.text) << -c.ms;
    }
}

TEST(ScalePercent, RoundsHalfUp) {
    const int cases[][2] = {{96, 100},  {100, 104}, {120, 125}, {144, 150}, {168, 175},
                            {192, 200}, {97, 101},  {72, 75},   {1, 1},     {149, 155}};
    for (const auto& c : cases) EXPECT_EQ(ScalePercent(c[0]), c[1]) << c[0];
    // Exactly half a percent goes up: 84 dpi is 87.5 %, 108 dpi 112.5 %.
    EXPECT_EQ(ScalePercent(84), 88);
    EXPECT_EQ(ScalePercent(108), 113);
}

TEST(FileVersionNumberText, FourUnsignedParts) {
    EXPECT_EQ(FileVersionNumberText(0x00020009, 0x00000000), L"2.9.0.0");
    EXPECT_EQ(FileVersionNumberText(0x000A0014, 0x001E0028), L"10.20.30.40");
    EXPECT_EQ(FileVersionNumberText(0xFFFFFFFF, 0x8000FFFF), L"65535.65535.32768.65535");
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the text ends with a line break";
    return lines;
}

TEST(AboutText, ElevenLinesInTheirOrder) {
    AboutFacts f;
    f.title = L"カタコト号";
    f.version = L"V2.9";
    f.fileVersion = L"2.9.0.0";
    f.programFile = L"C:\\Program Files\\カタコト号\\Tapwhile.exe";
    f.screenWidth = 1920;
    f.screenHeight = 1080;
    f.systemDpi = 144;
    f.elapsed = L"2d3h4m5s";
    f.notice = L"(notice)";
    f.mail = L"(mail)";
    f.homeUrl = L"https://home.example/";
    f.kyivTime = L"Peace For Ukraine\r\n(Kyiv time)";
    const std::vector<std::wstring> expected = {
        L"カタコト号 V2.9 (2.9.0.0) Release Build",
        L"C:\\Program Files\\カタコト号\\Tapwhile.exe",
        L"CurrentScreen 1920 x 1080 / 144dpi x 150%",
        L"Elapsed 2d3h4m5s",
        L"",
        L"(notice)",
        L"(mail)",
        L"https://home.example/",
        L"made in Japan",
        L"",
        L"Peace For Ukraine",
        L"(Kyiv time)",
    };
    EXPECT_EQ(Lines(AboutText(f)), expected);

    // No version information: empty parentheses. 100 dpi: 104 %.
    f.fileVersion.clear();
    f.systemDpi = 100;
    const std::vector<std::wstring> lines = Lines(AboutText(f));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], L"カタコト号 V2.9 () Release Build");
    EXPECT_EQ(lines[2], L"CurrentScreen 1920 x 1080 / 100dpi x 104%");
}

}  // namespace
}  // namespace tw
