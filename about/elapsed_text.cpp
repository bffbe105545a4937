#include "about/elapsed_text.h"

namespace tw {

std::wstring ElapsedText(DateTime then, DateTime now) {
    std::int64_t ms = now.MillisecondsSince(then);
    if (ms < 0) ms = -ms;
    const std::int64_t days = ms / DateTime::MsPerDay;
    const std::int64_t seconds = ms % DateTime::MsPerDay / 1000;
    std::wstring text = days != 0 ? std::to_wstring(days) + L"d" : std::wstring();
    text += std::to_wstring(seconds / 3600) + L"h";
    text += std::to_wstring(seconds / 60 % 60) + L"m";
    text += std::to_wstring(seconds % 60) + L"s";
    return text;
}

}  // namespace tw
