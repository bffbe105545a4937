#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "runtime/format_settings.h"

namespace tw {

// One piece of a date-time pattern: a code such as "yyyy" or "nn", or one literal character.
struct PatternToken {
    enum class Kind { Literal, Year, Month, MonthName, Day, WeekdayName, Hour, Minute, Second, Millisecond };
    Kind kind = Kind::Literal;
    int width = 0;        // digits: 1 = no leading zero, 2 = two; Year 2 or 4; Millisecond 1 or 3
    wchar_t ch = 0;       // Literal: the character
    bool quoted = false;  // Literal: from quoted text, so "/" and ":" are plain characters
};

// Reads a pattern piece by piece. Codes are matched without regard to case; "m" and "mm" mean
// minutes when the code before them was an hour code. Quote characters (" or ') produce no piece.
class PatternTokenizer {
public:
    explicit PatternTokenizer(std::wstring_view pattern) : pattern_(pattern) {}

    bool Next(PatternToken& token);
    std::size_t Position() const { return pos_; }

private:
    std::wstring_view pattern_;
    std::size_t pos_ = 0;
    wchar_t quote_ = 0;
    bool afterHour_ = false;
};

// Space, tab and the no-break spaces that locale data puts into patterns.
bool IsBlank(wchar_t c);

// The character that a literal piece prints: "/" and ":" outside quotes are the separators.
wchar_t RenderLiteral(const PatternToken& token, const FormatSettings& fs);

// The numeric fields of a pattern in their order, with the literal text around them:
// literals[i] is the text before fields[i], literals[fieldCount] the text after the last field.
struct PatternLayout {
    static constexpr int MaxFields = 4;
    int fieldCount = 0;
    std::array<PatternToken::Kind, MaxFields> fields{};
    std::array<std::wstring_view, MaxFields + 1> literals{};

    int CountOf(PatternToken::Kind kind) const;
};

// False when the pattern holds a name code or more than MaxFields numeric fields.
bool ReadLayout(std::wstring_view pattern, PatternLayout& layout);

}  // namespace tw
