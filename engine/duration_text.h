#pragma once

#include <cstdint>
#include <string>

namespace tw {

// A millisecond count as "m:ss" below an hour and "h:mm:ss" from an hour on ("0:07", "12:34",
// "27:46:40"). The count is read as unsigned 32-bit, so a tick difference that went backwards
// gives a large hour count; there is no day part.
std::wstring DurationText(std::int32_t ms);

}  // namespace tw
