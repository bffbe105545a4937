// The locale reader against the system's own locale data.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/locale_format.h"
#include "runtime/pattern_format.h"

namespace tw {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    const std::optional<DateTime> t = DateTime::FromParts(year, month, day, hour, minute, second);
    EXPECT_TRUE(t.has_value());
    return t.value_or(DateTime());
}

BOOL CALLBACK CollectLocaleName(LPWSTR name, DWORD, LPARAM list) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(name);
    return TRUE;
}

// Every locale's settings must read back the settings-file text and the history time stamps
// that they write.
TEST(LocaleFormatSettings, EveryInstalledLocaleReadsBackWhatItWrites) {
    std::vector<std::wstring> names;
    ASSERT_TRUE(EnumSystemLocalesEx(CollectLocaleName, LOCALE_ALL, reinterpret_cast<LPARAM>(&names), nullptr));
    ASSERT_GT(names.size(), 100u);
    const DateTime moments[] = {At(2025, 10, 9, 14, 5, 27), At(2025, 1, 2), At(1, 1, 1, 0, 0, 1),
                                At(9999, 12, 31, 23, 59, 59)};
    std::vector<std::wstring> failures;
    for (const std::wstring& name : names) {
        if (name.empty()) {
            continue;  // the invariant locale
        }
        const FormatSettings fs = LocaleFormatSettings(name.c_str());
        for (const DateTime t : moments) {
            const std::wstring text = DateTimeToText(t, fs);
            const std::wstring stamp = FormatDateTime(L"yyyy/mm/dd hh:mm:ss", t, fs);
            DateTime fromText;
            DateTime fromStamp;
            if (!TryParseDateTime(text, fs, fromText) || fromText != t || !TryParseDateTime(stamp, fs, fromStamp) ||
                fromStamp != t) {
                failures.push_back(name + L": " + text + L" / " + stamp);
                break;
            }
        }
    }
    EXPECT_TRUE(failures.empty()) << failures.size() << " locales, first: " << failures.front();
}

TEST(LocaleFormatSettings, EnglishUnitedStates) {
    const FormatSettings fs = LocaleFormatSettings(L"en-US");
    EXPECT_EQ(fs.DateSeparator, L'/');
    EXPECT_EQ(fs.TimeSeparator, L':');
    EXPECT_EQ(fs.ShortDateFormat, L"m/d/yyyy");
    EXPECT_EQ(fs.LongTimeFormat, L"h:nn:ss");  // "h:mm:ss tt" without AM/PM: 0-23 hours
    EXPECT_EQ(fs.ThousandSeparator, L',');
    EXPECT_EQ(fs.DecimalSeparator, L'.');
    EXPECT_EQ(fs.LongMonthNames[0], L"January");
    EXPECT_EQ(fs.LongMonthNames[9], L"October");
    EXPECT_EQ(fs.LongDayNames[0], L"Sunday");
    EXPECT_EQ(fs.LongDayNames[1], L"Monday");
    EXPECT_EQ(fs.LongDayNames[6], L"Saturday");
    EXPECT_EQ(DateTimeToText(At(2025, 10, 9, 14, 5, 27), fs), L"10/9/2025 14:05:27");
}

TEST(LocaleFormatSettings, UkrainianNames) {
    ASSERT_TRUE(IsLocaleInstalled(L"uk-UA"));
    FormatSettings fs = LocaleFormatSettings(L"uk-UA");
    EXPECT_EQ(fs.LongMonthNames[9], L"жовтень");
    EXPECT_EQ(fs.LongDayNames[0], L"неділя");
    EXPECT_EQ(fs.LongDayNames[4], L"четвер");
    fs.TimeSeparator = L':';
    EXPECT_EQ(FormatDateTime(L"d mmmm yyyy aaaa hh:nn", At(2025, 10, 9, 14, 5), fs), L"9 жовтень 2025 четвер 14:05");
}

TEST(LocaleFormatSettings, UnknownLocaleKeepsTheJapaneseValues) {
    EXPECT_FALSE(IsLocaleInstalled(L"xx-XX"));
    const FormatSettings fs = LocaleFormatSettings(L"xx-XX");
    const FormatSettings japanese = FormatSettings::Japanese();
    EXPECT_EQ(fs.DateSeparator, japanese.DateSeparator);
    EXPECT_EQ(fs.TimeSeparator, japanese.TimeSeparator);
    EXPECT_EQ(fs.ShortDateFormat, japanese.ShortDateFormat);
    EXPECT_EQ(fs.LongTimeFormat, japanese.LongTimeFormat);
    EXPECT_EQ(fs.ThousandSeparator, japanese.ThousandSeparator);
    EXPECT_EQ(fs.DecimalSeparator, japanese.DecimalSeparator);
    EXPECT_EQ(fs.LongMonthNames, japanese.LongMonthNames);
    EXPECT_EQ(fs.LongDayNames, japanese.LongDayNames);
}

// The window tests run under the users' Japanese locale and again under a Danish one; the
// user's settings must follow whichever it is.
TEST(UserLocaleFormatSettings, FollowTheUsersLocale) {
    wchar_t user[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(user, LOCALE_NAME_MAX_LENGTH);
    const std::wstring locale = user;
    const FormatSettings fs = UserLocaleFormatSettings();
    const std::wstring stamp = FormatDateTime(L"yyyy/mm/dd hh:nn:ss ", At(2025, 1, 2, 3, 4, 5), fs);
    if (locale == L"ja-JP") {
        EXPECT_EQ(fs.DateSeparator, L'/');
        EXPECT_EQ(fs.TimeSeparator, L':');
        // Windows' Japanese short date is yyyy/MM/dd; Wine's locale data has yyyy/M/d.
        const std::wstring date = FormatDateTime(fs.ShortDateFormat, At(2025, 10, 9), fs);
        EXPECT_TRUE(date == L"2025/10/09" || date == L"2025/10/9") << date;
        EXPECT_EQ(stamp, L"2025/01/02 03:04:05 ");
        EXPECT_EQ(fs.LongMonthNames[9], L"10月");
        EXPECT_EQ(fs.LongDayNames[4], L"木曜日");
    } else if (locale == L"da-DK") {
        EXPECT_EQ(fs.DecimalSeparator, L',');
        EXPECT_EQ(fs.ThousandSeparator, L'.');
        EXPECT_EQ(fs.LongMonthNames[9], L"oktober");
        EXPECT_EQ(fs.LongDayNames[4], L"torsdag");
        EXPECT_EQ(stamp, std::wstring(L"2025") + fs.DateSeparator + L"01" + fs.DateSeparator + L"02 03" +
                             fs.TimeSeparator + L"04" + fs.TimeSeparator + L"05 ");
    } else {
        ADD_FAILURE() << "no expectations for the locale " << testing::PrintToString(locale)
                      << ": run the Windows tests under LC_ALL=ja_JP.UTF-8 or da_DK.UTF-8";
    }
}

}  // namespace
}  // namespace tw
