// TryParseDateTime (declared in pattern_format.h). The history reader calls it for every line,
// so it works on views and fixed-size values only and never allocates.

#include <array>
#include <cstddef>

#include "runtime/pattern_format.h"
#include "runtime/pattern_tokens.h"

namespace tw {

namespace {

using Kind = PatternToken::Kind;

class TextReader {
public:
    explicit TextReader(std::wstring_view text) : text_(text) {}

    std::size_t Position() const { return pos_; }
    void Restore(std::size_t pos) { pos_ = pos; }
    bool AtEnd() const { return pos_ == text_.size(); }

    // True when at least one blank was passed.
    bool SkipBlanks() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ != start;
    }

    bool Accept(wchar_t c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // Accepts "AM" or "PM" in any case; isPm tells which.
    bool AcceptAmPm(bool& isPm) {
        if (pos_ + 2 > text_.size() || (text_[pos_ + 1] != L'M' && text_[pos_ + 1] != L'm')) {
            return false;
        }
        const wchar_t first = text_[pos_];
        if (first != L'A' && first != L'a' && first != L'P' && first != L'p') {
            return false;
        }
        isPm = first == L'P' || first == L'p';
        pos_ += 2;
        return true;
    }

    // Reads 1 to maxDigits decimal digits; more digits than that is a failure.
    bool ReadNumber(int maxDigits, int& value, int& digits) {
        value = 0;
        digits = 0;
        while (pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9') {
            if (++digits > maxDigits) {
                return false;
            }
            value = value * 10 + (text_[pos_] - L'0');
            ++pos_;
        }
        return digits > 0;
    }

    // Accepts the text that a pattern's literal run prints; a blank in the run stands for any
    // number of blanks. Nothing is consumed, and the result is false, when the text differs or
    // when it would match without taking a character.
    bool AcceptLiteral(std::wstring_view run, const FormatSettings& fs) {
        const std::size_t start = pos_;
        PatternTokenizer tokenizer(run);
        PatternToken token;
        while (tokenizer.Next(token)) {
            const wchar_t c = RenderLiteral(token, fs);
            if (IsBlank(c)) {
                SkipBlanks();
            } else if (!Accept(c)) {
                pos_ = start;
                return false;
            }
        }
        return pos_ != start;
    }

    // Between two numbers: the pattern's literal run (it may hold more than the separator, so it
    // goes first), or the separator alone with blanks around it.
    bool AcceptSeparator(wchar_t separator, std::wstring_view run, const FormatSettings& fs) {
        const std::size_t start = pos_;
        if (AcceptLiteral(run, fs) || Accept(separator) || (SkipBlanks() && Accept(separator))) {
            SkipBlanks();
            return true;
        }
        pos_ = start;
        return false;
    }

private:
    std::wstring_view text_;
    std::size_t pos_ = 0;
};

// The order of year, month and day in a date pattern; year, month, day when it names none.
std::array<Kind, 3> DateOrder(std::wstring_view pattern) {
    std::array<Kind, 3> order{};
    int count = 0;
    bool seenYear = false;
    bool seenMonth = false;
    bool seenDay = false;
    PatternTokenizer tokenizer(pattern);
    PatternToken token;
    while (count < 3 && tokenizer.Next(token)) {
        if (token.kind == Kind::Year && !seenYear) {
            seenYear = true;
            order[static_cast<std::size_t>(count++)] = Kind::Year;
        } else if ((token.kind == Kind::Month || token.kind == Kind::MonthName) && !seenMonth) {
            seenMonth = true;
            order[static_cast<std::size_t>(count++)] = Kind::Month;
        } else if (token.kind == Kind::Day && !seenDay) {
            seenDay = true;
            order[static_cast<std::size_t>(count++)] = Kind::Day;
        }
    }
    if (count < 3) {
        return {Kind::Year, Kind::Month, Kind::Day};
    }
    return order;
}

struct Date {
    int year;
    int month;
    int day;
};

bool ReadDate(TextReader& reader, const FormatSettings& fs, Date& date) {
    PatternLayout layout;
    const bool useLiterals = ReadLayout(fs.ShortDateFormat, layout) && layout.fieldCount == 3 &&
                             layout.CountOf(Kind::Year) == 1 && layout.CountOf(Kind::Month) == 1 &&
                             layout.CountOf(Kind::Day) == 1;
    const std::array<Kind, 3> order = useLiterals
                                          ? std::array<Kind, 3>{layout.fields[0], layout.fields[1], layout.fields[2]}
                                          : DateOrder(fs.ShortDateFormat);
    if (useLiterals) {
        reader.AcceptLiteral(layout.literals[0], fs);
    }
    std::array<int, 3> numbers{};
    std::array<int, 3> digits{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0 &&
            !reader.AcceptSeparator(fs.DateSeparator, useLiterals ? layout.literals[i] : std::wstring_view(), fs)) {
            return false;
        }
        if (!reader.ReadNumber(4, numbers[i], digits[i])) {
            return false;
        }
    }
    if (useLiterals) {
        reader.AcceptLiteral(layout.literals[3], fs);
    }
    // A first number of three or four digits can only be a year: when the settings put the year
    // elsewhere, the text is year-month-day, as time stamps are written under every locale.
    const bool yearFirst = digits[0] > 2 && order[0] != Kind::Year;
    const std::array<Kind, 3> actual = yearFirst ? std::array<Kind, 3>{Kind::Year, Kind::Month, Kind::Day} : order;
    int yearDigits = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        switch (actual[i]) {
            case Kind::Year:
                date.year = numbers[i];
                yearDigits = digits[i];
                break;
            case Kind::Month: date.month = numbers[i]; break;
            default: date.day = numbers[i]; break;
        }
    }
    if (yearDigits <= 2) {
        date.year += date.year < 50 ? 2000 : 1900;
    }
    return true;
}

struct Time {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool ReadTime(TextReader& reader, const FormatSettings& fs, Time& time) {
    static constexpr std::array<Kind, 4> fieldOrder = {Kind::Hour, Kind::Minute, Kind::Second, Kind::Millisecond};
    PatternLayout layout;
    bool useLiterals = ReadLayout(fs.LongTimeFormat, layout) && layout.fieldCount >= 2;
    for (int i = 0; useLiterals && i < layout.fieldCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        useLiterals = layout.fields[index] == fieldOrder[index];
    }
    // The pattern's literal run before field i, and the one after its last field.
    const auto before = [&](int i) {
        return useLiterals && i < layout.fieldCount ? layout.literals[static_cast<std::size_t>(i)]
                                                    : std::wstring_view();
    };
    const std::wstring_view trailing =
        useLiterals ? layout.literals[static_cast<std::size_t>(layout.fieldCount)] : std::wstring_view();

    reader.AcceptLiteral(before(0), fs);
    int digits = 0;
    if (!reader.ReadNumber(2, time.hour, digits) || !reader.AcceptSeparator(fs.TimeSeparator, before(1), fs) ||
        !reader.ReadNumber(2, time.minute, digits)) {
        return false;
    }
    std::size_t mark = reader.Position();
    if (!reader.AcceptSeparator(fs.TimeSeparator, before(2), fs) || !reader.ReadNumber(2, time.second, digits)) {
        reader.Restore(mark);
    } else {
        mark = reader.Position();
        int fraction = 0;
        if ((reader.Accept(L'.') || reader.Accept(fs.DecimalSeparator) || reader.AcceptLiteral(before(3), fs)) &&
            reader.ReadNumber(3, fraction, digits)) {
            time.millisecond = fraction * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
        } else {
            reader.Restore(mark);
        }
    }
    reader.AcceptLiteral(trailing, fs);
    mark = reader.Position();
    reader.SkipBlanks();
    bool isPm = false;
    if (reader.AcceptAmPm(isPm)) {
        if (time.hour < 1 || time.hour > 12) {
            return false;
        }
        time.hour = time.hour % 12 + (isPm ? 12 : 0);
    } else {
        reader.Restore(mark);
    }
    return time.hour <= 23 && time.minute <= 59 && time.second <= 59;
}

bool ParseDateAndTime(std::wstring_view text, const FormatSettings& fs, DateTime& out) {
    TextReader reader(text);
    reader.SkipBlanks();
    Date date{};
    if (!ReadDate(reader, fs, date)) {
        return false;
    }
    Time time;
    const bool blank = reader.SkipBlanks();
    if (!reader.AtEnd()) {
        if (!blank || !ReadTime(reader, fs, time)) {
            return false;
        }
        reader.SkipBlanks();
    }
    if (!reader.AtEnd()) {
        return false;
    }
    const auto parsed =
        DateTime::FromParts(date.year, date.month, date.day, time.hour, time.minute, time.second, time.millisecond);
    if (!parsed) {
        return false;
    }
    out = *parsed;
    return true;
}

bool ParseTimeOnly(std::wstring_view text, const FormatSettings& fs, DateTime& out) {
    TextReader reader(text);
    reader.SkipBlanks();
    Time time;
    if (!ReadTime(reader, fs, time)) {
        return false;
    }
    reader.SkipBlanks();
    if (!reader.AtEnd()) {
        return false;
    }
    out = DateTime::FromMilliseconds(((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 + time.millisecond);
    return true;
}

}  // namespace

bool TryParseDateTime(std::wstring_view text, const FormatSettings& fs, DateTime& out) {
    return ParseDateAndTime(text, fs, out) || ParseTimeOnly(text, fs, out);
}

}  // namespace tw
