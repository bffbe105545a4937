#pragma once
// How long the current history has been running, as the About box shows it.
#include <string>

#include "runtime/date_time.h"

namespace tw {

// The time between then and now as "2d3h4m5s": whole days (left out when there are none), then
// hours 0-23, minutes and seconds without leading zeros. A moment in the future counts the same
// as one as far in the past.
std::wstring ElapsedText(DateTime then, DateTime now);

}  // namespace tw
