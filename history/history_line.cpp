#include "history/history_line.h"

#include "runtime/pattern_format.h"

namespace tw {

bool IsHistoryMessage(std::wstring_view message) { return !message.empty() && message.front() == L'#'; }

std::wstring HistoryLine(DateTime now, std::wstring_view message, const FormatSettings& fs) {
    std::wstring line = FormatDateTime(L"yyyy/mm/dd hh:mm:ss ", now, fs);
    line += message;
    return line;
}

bool ReadHistoryStamp(std::wstring_view line, const FormatSettings& fs, DateTime& stamp) {
    if (line.size() < 21 || line[20] != L'#') return false;
    return TryParseDateTime(line.substr(0, 19), fs, stamp);
}

}  // namespace tw
