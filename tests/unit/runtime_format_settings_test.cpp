#include "runtime/format_settings.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct PictureCase {
    const wchar_t* picture;
    wchar_t separator;
    const wchar_t* pattern;  // empty: the picture cannot serve
};

TEST(ConvertLocaleDatePattern, Pictures) {
    const PictureCase cases[] = {
        {L"yyyy/MM/dd", L'/', L"yyyy/mm/dd"},
        {L"dd.MM.yyyy", L'.', L"dd/mm/yyyy"},
        {L"M/d/yyyy", L'/', L"m/d/yyyy"},
        {L"M/d/yy", L'/', L"m/d/yyyy"},  // always the full year
        {L"d.M.yyyy 'г.'", L'.', L"d/m/yyyy \"г.\""},
        {L"yyyy. MM. dd.", L'.', L"yyyy/ mm/ dd/"},
        {L"dd-MMM-yyyy", L'-', L"dd/mm/yyyy"},     // month names become numbers
        {L"ddd dd/MM/yyyy", L'/', L"dd/mm/yyyy"},  // weekday names are dropped
        {L"dd/MM/yyyy dddd", L'/', L"dd/mm/yyyy"},
        {L"gg y/M/d", L'/', L"yyyy/m/d"},              // so is the era
        {L"yyyyMMdd", L'/', L"yyyy/mm/dd"},            // fields side by side get a separator
        {L"yyyy/MM/dd", L'-', L"yyyy\"/\"mm\"/\"dd"},  // not the locale's separator: plain text
        {L"'Day' d 'of' M yyyy", L'/', L"\"Day\" d \"of\" m yyyy"},
        {L"d 'x''y' M yyyy", L'/', L"d \"x'y\" m yyyy"},
        {L"yyyy-dd-MM", L'-', L""},  // year first is read year-month-day
        {L"MM/yyyy", L'/', L""},
        {L"d/M/d/yyyy", L'/', L""},
        {L"", L'/', L""},
    };
    for (const PictureCase& c : cases) {
        EXPECT_EQ(ConvertLocaleDatePattern(c.picture, c.separator), c.pattern) << c.picture;
    }
}

TEST(ConvertLocaleTimePattern, Pictures) {
    const PictureCase cases[] = {
        {L"H:mm:ss", L':', L"h:nn:ss"},
        {L"HH:mm:ss", L':', L"hh:nn:ss"},
        {L"h:mm:ss tt", L':', L"h:nn:ss"},  // always 0-23 hours, no AM/PM
        {L"tt h:mm:ss", L':', L"h:nn:ss"},
        {L"hh:mm:ss t", L':', L"hh:nn:ss"},
        {L"H.mm.ss", L'.', L"h:nn:ss"},
        {L"HH' h 'mm' min 'ss' s'", L':', L"hh\" h \"nn\" min \"ss\" s\""},
        {L"H:mm:ss 'Uhr'", L':', L"h:nn:ss \"Uhr\""},
        {L"H:mm:ss Z", L':', L"h:nn:ss \"Z\""},  // a letter that is one of our codes
        {L"H:mm:ss Uhr", L':', L""},             // the h of Uhr is a second hour
        {L"H:mm", L':', L""},
        {L"ss:mm:HH", L':', L""},
        {L"", L':', L""},
    };
    for (const PictureCase& c : cases) {
        EXPECT_EQ(ConvertLocaleTimePattern(c.picture, c.separator), c.pattern) << c.picture;
    }
}

TEST(LocaleSeparator, TakesTheSeparatorCharacterOfTheAnswer) {
    EXPECT_EQ(LocaleSeparator(L"/", L':'), L'/');
    EXPECT_EQ(LocaleSeparator(L"\u200F", L'/'), L'\u200F');
    EXPECT_EQ(LocaleSeparator(L" ", L','), L' ');
    EXPECT_EQ(LocaleSeparator(L". ", L'/'), L'.');
    EXPECT_EQ(LocaleSeparator(L" 'h' ", L':'), L':');  // an hour mark, not a separator
    EXPECT_EQ(LocaleSeparator(L"h", L':'), L':');
    EXPECT_EQ(LocaleSeparator(L"\u00A0", L','), L'\u00A0');
    EXPECT_EQ(LocaleSeparator(L"", L':'), L':');
}

TEST(FormatSettings, JapaneseValues) {
    const FormatSettings fs = FormatSettings::Japanese();
    EXPECT_EQ(fs.DateSeparator, L'/');
    EXPECT_EQ(fs.TimeSeparator, L':');
    EXPECT_EQ(fs.ShortDateFormat, L"yyyy/mm/dd");
    EXPECT_EQ(fs.LongTimeFormat, L"h:nn:ss");
    EXPECT_EQ(fs.ThousandSeparator, L',');
    EXPECT_EQ(fs.DecimalSeparator, L'.');
    EXPECT_EQ(fs.LongMonthNames[0], L"1月");
    EXPECT_EQ(fs.LongMonthNames[11], L"12月");
    EXPECT_EQ(fs.LongDayNames[0], L"日曜日");
    EXPECT_EQ(fs.LongDayNames[6], L"土曜日");
}

}  // namespace
}  // namespace tw
