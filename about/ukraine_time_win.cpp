#include "about/about_win.h"
#include "about/ukraine_time.h"
#include "platform/locale_format.h"

namespace tw {

FormatSettings UkraineFormatSettings() {
    constexpr LCID Ukrainian = 0x0422;
    LCID locale = IsValidLocale(Ukrainian, LCID_INSTALLED) ? Ukrainian : GetThreadLocale();
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) return UserLocaleFormatSettings();
    return LocaleFormatSettings(name);
}

std::wstring UkraineTimeText(Clock& clock) {
    const DateTime now = clock.LocalNow();
    return UkraineTimeText(now, clock.UtcOffsetMinutes(now), UkraineFormatSettings());
}

}  // namespace tw
