#pragma once
// The Kyiv clock line of the About box: Kyiv's date and time worked out from the local clock
// and the local zone's offset, by Ukraine's own fixed rule rather than a zone database.
#include <cstdint>
#include <string>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// Two lines joined by CR LF (none at the end): the greeting, then Kyiv's time in the pattern
// "d mmmm yyyy aaaa hh:nn" with the month and weekday names of the settings and ":" as the
// time separator, and whether daylight saving time is in force. Kyiv keeps UTC+2, and UTC+3
// strictly between 01:00 UTC on the last Sundays of March and October.
std::wstring UkraineTimeText(DateTime localNow, std::int32_t utcOffsetMinutes, FormatSettings fs);

}  // namespace tw
