#include "runtime/format_settings.h"

#include "runtime/pattern_tokens.h"

#include <utility>

namespace tw {

FormatSettings FormatSettings::Japanese() {
    FormatSettings fs;
    fs.DateSeparator = L'/';
    fs.TimeSeparator = L':';
    fs.ShortDateFormat = L"yyyy/mm/dd";
    fs.LongTimeFormat = L"h:nn:ss";
    fs.ThousandSeparator = L',';
    fs.DecimalSeparator = L'.';
    fs.LongMonthNames = {L"1月", L"2月", L"3月", L"4月",  L"5月",  L"6月",
                         L"7月", L"8月", L"9月", L"10月", L"11月", L"12月"};
    fs.LongDayNames = {L"日曜日", L"月曜日", L"火曜日", L"水曜日", L"木曜日", L"金曜日", L"土曜日"};
    return fs;
}

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Builds one of our patterns from the pieces of a Windows picture.
class PatternWriter {
public:
    explicit PatternWriter(wchar_t separatorCode) : separatorCode_(separatorCode) {}

    void Field(std::wstring_view code) {
        CloseQuotes();
        if (lastWasField_) {
            // Two fields side by side could not be told apart when the text is read back.
            out_ += separatorCode_;
        }
        out_ += code;
        lastWasField_ = true;
    }

    void Separator() {
        CloseQuotes();
        out_ += separatorCode_;
        lastWasField_ = false;
    }

    // Letters and stray separator codes are quoted so that they stay plain text.
    void Literal(wchar_t c, bool fromQuotedText) {
        lastWasField_ = false;
        if (c == L'"') {
            CloseQuotes();
            out_ += L"'\"'";
            return;
        }
        if (fromQuotedText || IsAsciiLetter(c) || c == L'/' || c == L':') {
            if (!inQuotes_) {
                out_ += L'"';
                inQuotes_ = true;
            }
        } else {
            CloseQuotes();
        }
        out_ += c;
    }

    void TrimTrailingBlanks() {
        while (!out_.empty() && IsBlank(out_.back())) {
            out_.pop_back();
        }
    }

    std::wstring Take() {
        CloseQuotes();
        return std::move(out_);
    }

private:
    void CloseQuotes() {
        if (inQuotes_) {
            out_ += L'"';
            inQuotes_ = false;
        }
    }

    wchar_t separatorCode_;
    std::wstring out_;
    bool inQuotes_ = false;
    bool lastWasField_ = false;
};

enum class PictureKind { Date, Time };

// Whether the date-time parser reads back what the pattern writes: one numeric field of each
// kind, a time in the order hour, minute, second, and a date that begins with the year only
// when the month follows (year-first text is read year-month-day, as time stamps are written).
bool ReadsBack(std::wstring_view pattern, PictureKind kind) {
    using Kind = PatternToken::Kind;
    PatternLayout layout;
    if (!ReadLayout(pattern, layout) || layout.fieldCount != 3) {
        return false;
    }
    if (kind == PictureKind::Time) {
        return layout.fields[0] == Kind::Hour && layout.fields[1] == Kind::Minute && layout.fields[2] == Kind::Second;
    }
    return layout.CountOf(Kind::Year) == 1 && layout.CountOf(Kind::Month) == 1 && layout.CountOf(Kind::Day) == 1 &&
           !(layout.fields[0] == Kind::Year && layout.fields[1] == Kind::Day);
}

std::wstring ConvertPicture(std::wstring_view picture, wchar_t separator, PictureKind kind) {
    PatternWriter writer(kind == PictureKind::Date ? L'/' : L':');
    bool quoted = false;
    // A dropped code takes the blanks after it along, or at the end those before it.
    bool droppedLast = false;
    std::size_t i = 0;
    while (i < picture.size()) {
        const wchar_t c = picture[i];
        if (droppedLast && IsBlank(c)) {
            ++i;
            continue;
        }
        droppedLast = false;
        if (c == L'\'') {
            if (i + 1 < picture.size() && picture[i + 1] == L'\'') {
                writer.Literal(L'\'', true);
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        if (quoted) {
            writer.Literal(c, true);
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) {
            ++run;
        }
        const bool two = run >= 2;
        bool consumed = true;
        bool dropped = false;
        if (kind == PictureKind::Date && c == L'y') {
            writer.Field(L"yyyy");  // a two-digit year would not say its century
        } else if (kind == PictureKind::Date && c == L'M') {
            writer.Field(two ? L"mm" : L"m");  // month names become numbers
        } else if (kind == PictureKind::Date && c == L'd' && run <= 2) {
            writer.Field(two ? L"dd" : L"d");
        } else if ((kind == PictureKind::Date && (c == L'd' || c == L'g')) ||
                   (kind == PictureKind::Time && c == L't')) {
            dropped = true;  // weekday names, eras and AM/PM markers
        } else if (kind == PictureKind::Time && (c == L'h' || c == L'H')) {
            writer.Field(two ? L"hh" : L"h");
        } else if (kind == PictureKind::Time && c == L'm') {
            writer.Field(two ? L"nn" : L"n");
        } else if (kind == PictureKind::Time && c == L's') {
            writer.Field(two ? L"ss" : L"s");
        } else {
            consumed = false;
        }
        droppedLast = dropped;
        if (consumed) {
            i += run;
            continue;
        }
        if (c == separator) {
            writer.Separator();
        } else {
            writer.Literal(c, false);
        }
        ++i;
    }
    if (droppedLast) {
        writer.TrimTrailingBlanks();
    }
    std::wstring pattern = writer.Take();
    return ReadsBack(pattern, kind) ? pattern : std::wstring();
}

}  // namespace

wchar_t LocaleSeparator(std::wstring_view answer, wchar_t fallback) {
    if (answer.empty()) {
        return fallback;
    }
    wchar_t c = answer.front();
    for (const wchar_t candidate : answer) {
        if (!IsBlank(candidate)) {
            c = candidate;
            break;
        }
    }
    const bool usable = !IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'\'' && c != L'"';
    return usable ? c : fallback;
}

std::wstring ConvertLocaleDatePattern(std::wstring_view pattern, wchar_t dateSeparator) {
    return ConvertPicture(pattern, dateSeparator, PictureKind::Date);
}

std::wstring ConvertLocaleTimePattern(std::wstring_view pattern, wchar_t timeSeparator) {
    return ConvertPicture(pattern, timeSeparator, PictureKind::Time);
}

}  // namespace tw
