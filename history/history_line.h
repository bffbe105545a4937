#pragma once
// A history line: a 20-character time stamp "yyyy/mm/dd hh:mm:ss " and the message, which
// begins with "#". Only such messages become lines.
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// True for a message that becomes a history line: not empty and beginning with "#".
bool IsHistoryMessage(std::wstring_view message);

std::wstring HistoryLine(DateTime now, std::wstring_view message, const FormatSettings& fs);

// Reads the time stamp of a counted line: a line of at least 21 characters whose 21st is "#"
// and whose first 19 read as a date-time. False for any other line.
bool ReadHistoryStamp(std::wstring_view line, const FormatSettings& fs, DateTime& stamp);

}  // namespace tw
