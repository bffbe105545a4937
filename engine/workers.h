#pragma once
// The rules of the two workers: the key-press simulator's intervals and texts, and the browser
// reloader's recognition of a browser in front.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// A uniform random number in [0, 1).
using UniformRandom = std::function<double()>;

// A normally distributed number by the polar method, in 32-bit floating point.
float NormalRandom(float mean, float sd, const UniformRandom& uniform);

// The configured minutes in milliseconds, reckoned in 64 bits; 0 minutes (or fewer) counts as
// one, and an interval beyond the 32-bit range stays at its end.
std::int32_t MinutesToInterval(int minutes);

// A new interval around the configured minutes with the rate as standard deviation in percent
// of them, rounded to whole milliseconds and drawn again until it lies in 1 ms to twice them
// (at most the 32-bit range). Always ends: after a thousand draws out of range it is the mean.
std::int32_t DrawInterval(int minutes, int ratePercent, const UniformRandom& uniform);

// " after " + the elapsed time (not negative) as hh:nn:ss.zzz + its share of the mean as
// " #0.0" + "%".
std::wstring AfterSuffix(std::int64_t elapsedMs, std::int64_t meanMs, const FormatSettings& fs);

// "#" + count + " $" + the code as at least two upper-case hexadecimal digits + suffix.
std::wstring PressMessage(std::int32_t count, int code, std::wstring_view suffix);

// "#" + count + " $74 [F5] Key".
std::wstring ReloadMessage(std::int32_t count);

// The count grouped in thousands with " 回め、" and the date and time "yyyy/mm/dd hh:mm".
std::wstring CountLabel(std::int32_t count, DateTime now, const FormatSettings& fs);

// True when the class name begins with one of the prefixes, letter case included.
bool IsBrowserClass(std::wstring_view className, const std::array<std::wstring, 4>& prefixes);

}  // namespace tw
