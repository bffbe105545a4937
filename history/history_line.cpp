#include "history/history_line.h"

#include "runtime/pattern_format.h"

namespace tw {

bool IsHistoryMessage(std::wstring_view message) { return !message.empty() && message.front() == L'#'; }

std::wstring HistoryLine(DateTime now, std::wstring_view message, const FormatSettings& fs) {
    std::wstring line = FormatDateTime(L"yyyy/mm/dd hh:mm:ss ", now, fs);
    line += message;
    return line;
}

namespace {

// Reads count digits at position; -1 when one is not a digit.
int Digits(std::wstring_view text, size_t position, size_t count) {
    int value = 0;
    for (size_t i = position; i < position + count; ++i) {
        wchar_t c = text[i];
        if (c < L'0' || c > L'9') return -1;
        value = value * 10 + (c - L'0');
    }
    return value;
}

// The stamp exactly as this program writes it; the general reader takes anything else.
bool ReadWrittenStamp(std::wstring_view s, const FormatSettings& fs, DateTime& stamp) {
    if (s[4] != fs.DateSeparator || s[7] != fs.DateSeparator || s[10] != L' ' || s[13] != fs.TimeSeparator ||
        s[16] != fs.TimeSeparator) {
        return false;
    }
    int year = Digits(s, 0, 4), month = Digits(s, 5, 2), day = Digits(s, 8, 2);
    int hour = Digits(s, 11, 2), minute = Digits(s, 14, 2), second = Digits(s, 17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) return false;
    std::optional<DateTime> value = DateTime::FromParts(year, month, day, hour, minute, second);
    if (!value) return false;
    stamp = *value;
    return true;
}

}  // namespace

bool ReadHistoryStamp(std::wstring_view line, const FormatSettings& fs, DateTime& stamp) {
    if (line.size() < 21 || line[20] != L'#') return false;
    std::wstring_view text = line.substr(0, 19);
    return ReadWrittenStamp(text, fs, stamp) || TryParseDateTime(text, fs, stamp);
}

}  // namespace tw
