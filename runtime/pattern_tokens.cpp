#include "runtime/pattern_tokens.h"

namespace tw {

namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

PatternToken Literal(wchar_t ch, bool quoted) {
    PatternToken token;
    token.ch = ch;
    token.quoted = quoted;
    return token;
}

PatternToken Code(PatternToken::Kind kind, int width) {
    PatternToken token;
    token.kind = kind;
    token.width = width;
    return token;
}

}  // namespace

bool PatternTokenizer::Next(PatternToken& token) {
    using Kind = PatternToken::Kind;
    while (pos_ < pattern_.size()) {
        const wchar_t c = pattern_[pos_];
        if (quote_ != 0) {
            ++pos_;
            if (c == quote_) {
                quote_ = 0;
                continue;
            }
            token = Literal(c, true);
            return true;
        }
        if (c == L'"' || c == L'\'') {
            quote_ = c;
            ++pos_;
            continue;
        }
        const wchar_t letter = LowerAscii(c);
        std::size_t run = 1;
        while (pos_ + run < pattern_.size() && LowerAscii(pattern_[pos_ + run]) == letter) {
            ++run;
        }
        const int count = static_cast<int>(run);
        const int digits = count >= 2 ? 2 : 1;
        switch (letter) {
            case L'y': token = Code(Kind::Year, count <= 2 ? 2 : 4); break;
            case L'm':
                if (count >= 3) {
                    token = Code(Kind::MonthName, 0);
                } else {
                    token = Code(afterHour_ ? Kind::Minute : Kind::Month, digits);
                }
                break;
            case L'd': token = count >= 3 ? Code(Kind::WeekdayName, 0) : Code(Kind::Day, digits); break;
            case L'a':
                if (count < 4) {
                    ++pos_;
                    token = Literal(c, false);
                    return true;
                }
                token = Code(Kind::WeekdayName, 0);
                break;
            case L'h': token = Code(Kind::Hour, digits); break;
            case L'n': token = Code(Kind::Minute, digits); break;
            case L's': token = Code(Kind::Second, digits); break;
            case L'z': token = Code(Kind::Millisecond, count >= 3 ? 3 : 1); break;
            default:
                ++pos_;
                token = Literal(c, false);
                return true;
        }
        pos_ += run;
        afterHour_ = token.kind == Kind::Hour;
        return true;
    }
    return false;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u00A0' || c == L'\u202F'; }

wchar_t RenderLiteral(const PatternToken& token, const FormatSettings& fs) {
    if (!token.quoted && token.ch == L'/') {
        return fs.DateSeparator;
    }
    if (!token.quoted && token.ch == L':') {
        return fs.TimeSeparator;
    }
    return token.ch;
}

int PatternLayout::CountOf(PatternToken::Kind kind) const {
    int count = 0;
    for (int i = 0; i < fieldCount; ++i) {
        count += fields[static_cast<std::size_t>(i)] == kind ? 1 : 0;
    }
    return count;
}

bool ReadLayout(std::wstring_view pattern, PatternLayout& layout) {
    layout = PatternLayout();
    PatternTokenizer tokenizer(pattern);
    std::size_t literalStart = 0;
    std::size_t before = tokenizer.Position();
    PatternToken token;
    while (tokenizer.Next(token)) {
        if (token.kind == PatternToken::Kind::MonthName || token.kind == PatternToken::Kind::WeekdayName) {
            return false;
        }
        if (token.kind != PatternToken::Kind::Literal) {
            if (layout.fieldCount == PatternLayout::MaxFields) {
                return false;
            }
            const auto index = static_cast<std::size_t>(layout.fieldCount++);
            layout.fields[index] = token.kind;
            layout.literals[index] = pattern.substr(literalStart, before - literalStart);
            literalStart = tokenizer.Position();
        }
        before = tokenizer.Position();
    }
    layout.literals[static_cast<std::size_t>(layout.fieldCount)] = pattern.substr(literalStart);
    return true;
}

}  // namespace tw
