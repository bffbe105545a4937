#pragma once

#include "runtime/format_settings.h"

namespace tw {

// The date, time and number conventions of the user's default locale. Whatever the system does
// not answer (or answers with a pattern that could not be read back) keeps the value of
// FormatSettings::Japanese().
FormatSettings UserLocaleFormatSettings();

// The same for a named locale such as L"uk-UA"; see IsLocaleInstalled.
FormatSettings LocaleFormatSettings(const wchar_t* localeName);

// Whether the system knows the named locale; otherwise LocaleFormatSettings gives the fallback.
bool IsLocaleInstalled(const wchar_t* localeName);

}  // namespace tw
