#include "engine/duration_text.h"

namespace tw {

namespace {

std::wstring TwoDigits(std::uint32_t n) {
    std::wstring text = std::to_wstring(n);
    return n < 10 ? L"0" + text : text;
}

}  // namespace

std::wstring DurationText(std::int32_t ms) {
    const std::uint32_t s = static_cast<std::uint32_t>(ms) / 1000;
    if (s < 60) {
        return L"0:" + TwoDigits(s);
    }
    if (s < 3600) {
        return std::to_wstring(s / 60) + L":" + TwoDigits(s % 60);
    }
    return std::to_wstring(s / 3600) + L":" + TwoDigits(s / 60 % 60) + L":" + TwoDigits(s % 60);
}

}  // namespace tw
