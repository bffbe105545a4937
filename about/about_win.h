#pragma once
// What the About box asks of Windows: the version resource of a file, the Ukrainian locale's
// names and the local clock.
#include <windows.h>

#include <string>

#include "platform/clock.h"
#include "runtime/format_settings.h"

namespace tw {

// The file version of the file's VERSIONINFO as "2.9.0.0"; empty when the file has none or
// cannot be read.
std::wstring FileVersionText(const std::wstring& path);

// The format settings of Ukrainian as used in Ukraine (locale 0x0422), or of the thread's
// locale when that one is not installed.
FormatSettings UkraineFormatSettings();

// UkraineTimeText for the clock's present moment.
std::wstring UkraineTimeText(Clock& clock);

}  // namespace tw
