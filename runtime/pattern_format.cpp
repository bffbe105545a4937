#include "runtime/pattern_format.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

#include "runtime/pattern_tokens.h"

namespace tw {

namespace {

void AppendNumber(std::wstring& out, long long value, int minDigits) {
    wchar_t digits[24];
    int count = 0;
    unsigned long long rest =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0) {
        out += L'-';
    }
    for (int i = count; i < minDigits; ++i) {
        out += L'0';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

}  // namespace

std::wstring FormatDateTime(std::wstring_view pattern, DateTime t, const FormatSettings& fs) {
    using Kind = PatternToken::Kind;
    const DateTime::Parts parts = t.ToParts();
    std::wstring out;
    out.reserve(pattern.size() + 16);
    PatternTokenizer tokenizer(pattern);
    PatternToken token;
    while (tokenizer.Next(token)) {
        switch (token.kind) {
            case Kind::Literal: out += RenderLiteral(token, fs); break;
            case Kind::Year: AppendNumber(out, token.width == 2 ? parts.year % 100 : parts.year, token.width); break;
            case Kind::Month: AppendNumber(out, parts.month, token.width); break;
            case Kind::MonthName: out += fs.LongMonthNames[static_cast<std::size_t>(parts.month - 1)]; break;
            case Kind::Day: AppendNumber(out, parts.day, token.width); break;
            case Kind::WeekdayName: out += fs.LongDayNames[static_cast<std::size_t>(parts.dayOfWeek)]; break;
            case Kind::Hour: AppendNumber(out, parts.hour, token.width); break;
            case Kind::Minute: AppendNumber(out, parts.minute, token.width); break;
            case Kind::Second: AppendNumber(out, parts.second, token.width); break;
            case Kind::Millisecond: AppendNumber(out, parts.millisecond, token.width); break;
        }
    }
    return out;
}

std::wstring DateTimeToText(DateTime t, const FormatSettings& fs) {
    std::wstring text = FormatDateTime(fs.ShortDateFormat, t, fs);
    if (t.TimeOfDay() != 0) {
        text += L' ';
        text += FormatDateTime(fs.LongTimeFormat, t, fs);
    }
    return text;
}

namespace {

bool IsNumberCode(wchar_t c) { return c == L'0' || c == L'#' || c == L'.' || c == L','; }

// What the number part of a pattern asks for.
struct NumberLayout {
    int minIntegerDigits = 0;
    bool grouped = false;
    int minDecimals = 0;
    int maxDecimals = 0;
};

NumberLayout ReadNumberLayout(std::wstring_view run) {
    NumberLayout layout;
    bool afterPoint = false;
    for (const wchar_t c : run) {
        if (c == L'.') {
            afterPoint = true;
        } else if (!afterPoint) {
            layout.minIntegerDigits += c == L'0' ? 1 : 0;
            layout.grouped = layout.grouped || c == L',';
        } else if (c == L'0') {
            ++layout.minDecimals;
            ++layout.maxDecimals;
        } else if (c == L'#') {
            ++layout.maxDecimals;
        }
    }
    return layout;
}

// The value as the layout shows it, without prefix and suffix.
std::wstring FormatValue(double value, const NumberLayout& layout, const FormatSettings& fs) {
    if (std::isnan(value)) {
        return L"NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? L"-INF" : L"INF";
    }
    // The shortest decimal form that reads back as the value: rounding then treats 0.15 as
    // written, not as the binary 0.1499999999999999944.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string_view shortest(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = shortest.find('.');
    std::string integer(shortest.substr(0, point));
    std::string fraction(point == std::string_view::npos ? std::string_view() : shortest.substr(point + 1));

    const auto maxDecimals = static_cast<std::size_t>(layout.maxDecimals);
    if (fraction.size() > maxDecimals) {
        const bool roundUp = fraction[maxDecimals] >= '5';
        fraction.resize(maxDecimals);
        if (roundUp) {
            std::string digits = integer + fraction;
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
            } else {
                ++digits[i - 1];
            }
            integer = digits.substr(0, digits.size() - maxDecimals);
            fraction = digits.substr(digits.size() - maxDecimals);
        }
    }
    const auto minDecimals = static_cast<std::size_t>(layout.minDecimals);
    while (fraction.size() > minDecimals && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (fraction.size() < minDecimals) {
        fraction.append(minDecimals - fraction.size(), '0');
    }
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    integer.erase(0, firstSignificant == std::string::npos ? integer.size() : firstSignificant);
    if (integer.size() < static_cast<std::size_t>(layout.minIntegerDigits)) {
        integer.insert(0, static_cast<std::size_t>(layout.minIntegerDigits) - integer.size(), '0');
    }

    std::wstring text;
    const bool shownAsZero = (integer + fraction).find_first_not_of('0') == std::string::npos;
    if (value < 0 && !shownAsZero) {
        text += L'-';
    }
    for (std::size_t i = 0; i < integer.size(); ++i) {
        const std::size_t left = integer.size() - i;
        if (i > 0 && left % 3 == 0 && layout.grouped && fs.ThousandSeparator != L'\0') {
            text += fs.ThousandSeparator;
        }
        text += static_cast<wchar_t>(integer[i]);
    }
    if (!fraction.empty()) {
        text += fs.DecimalSeparator;
        for (const char c : fraction) {
            text += static_cast<wchar_t>(c);
        }
    }
    return text;
}

}  // namespace

std::wstring FormatNumber(std::wstring_view pattern, double value, const FormatSettings& fs) {
    std::wstring out;
    std::size_t runStart = std::wstring_view::npos;
    bool numberDone = false;
    wchar_t quote = 0;
    for (std::size_t i = 0; i <= pattern.size(); ++i) {
        const wchar_t c = i < pattern.size() ? pattern[i] : L'\0';
        const bool inRun = i < pattern.size() && quote == 0 && !numberDone && IsNumberCode(c);
        if (runStart != std::wstring_view::npos && !inRun) {
            const std::wstring_view run = pattern.substr(runStart, i - runStart);
            if (run.find_first_of(L"0#") == std::wstring_view::npos) {
                out += run;  // a lone "." or "," without digits is plain text
            } else {
                out += FormatValue(value, ReadNumberLayout(run), fs);
                numberDone = true;
            }
            runStart = std::wstring_view::npos;
        }
        if (i == pattern.size()) {
            break;
        }
        if (inRun) {
            if (runStart == std::wstring_view::npos) {
                runStart = i;
            }
        } else if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else {
                out += c;
            }
        } else if (c == L'"' || c == L'\'') {
            quote = c;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace tw
