#include "engine/workers.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/int_parse.h"
#include "runtime/pattern_format.h"

namespace tw {

float NormalRandom(float mean, float sd, const UniformRandom& uniform) {
    float u = 0, v = 0, s = 0;
    // s = 0 would divide by zero: the method wants a point strictly inside the unit circle.
    do {
        u = static_cast<float>(2 * uniform() - 1);
        v = static_cast<float>(2 * uniform() - 1);
        s = u * u + v * v;
    } while (s >= 1 || s == 0);
    return std::sqrt(-2 * std::log(s) / s) * u * sd + mean;
}

std::int32_t MinutesToInterval(int minutes) {
    // In 64 bits: no number of minutes wraps to a negative interval.
    const std::int64_t interval = static_cast<std::int64_t>(minutes) * 60'000;
    if (interval <= 0) return 60'000;
    return static_cast<std::int32_t>(std::min<std::int64_t>(interval, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t DrawInterval(int minutes, int ratePercent, const UniformRandom& uniform) {
    const std::int64_t mean = MinutesToInterval(minutes);
    const std::int64_t sd = mean / 100 * ratePercent;  // exact: the mean is a multiple of 100
    const double upper = std::min<double>(2.0 * static_cast<double>(mean), std::numeric_limits<std::int32_t>::max());
    // With the boxes' rates (at most 50 %) a draw lands in range nineteen times in twenty; the
    // bound only keeps a mean and rate from elsewhere from drawing for ever.
    constexpr int kMostDraws = 1000;
    for (int draw = 0; draw < kMostDraws; ++draw) {
        float x = NormalRandom(static_cast<float>(mean), static_cast<float>(sd), uniform);
        double rounded = std::trunc(static_cast<double>(x) + 0.5);
        if (rounded >= 1 && rounded <= upper) return static_cast<std::int32_t>(rounded);
    }
    return static_cast<std::int32_t>(mean);
}

std::wstring AfterSuffix(std::int64_t elapsedMs, std::int64_t meanMs, const FormatSettings& fs) {
    std::wstring suffix = L" after ";
    suffix += FormatDateTime(L"hh:nn:ss.zzz", DateTime::FromMilliseconds(elapsedMs), fs);
    suffix += FormatNumber(L" #0.0", static_cast<double>(elapsedMs) / static_cast<double>(meanMs) * 100, fs);
    suffix += L'%';
    return suffix;
}

std::wstring PressMessage(std::int32_t count, int code, std::wstring_view suffix) {
    std::wstring message = L"#" + std::to_wstring(count) + L" $" + HexUpper(static_cast<std::uint32_t>(code), 2);
    message += suffix;
    return message;
}

std::wstring ReloadMessage(std::int32_t count) { return L"#" + std::to_wstring(count) + L" $74 [F5] Key"; }

std::wstring CountLabel(std::int32_t count, DateTime now, const FormatSettings& fs) {
    return FormatNumber(L"#,0 回め、", count, fs) + FormatDateTime(L"yyyy/mm/dd hh:mm", now, fs);
}

bool IsBrowserClass(std::wstring_view className, const std::array<std::wstring, 4>& prefixes) {
    for (const std::wstring& prefix : prefixes) {
        if (!prefix.empty() && className.substr(0, prefix.size()) == prefix) {
            return true;
        }
    }
    return false;
}

}  // namespace tw
