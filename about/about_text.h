#pragma once
// The text of the About box, from values the window gathers when the box is opened.
#include <cstdint>
#include <string>

namespace tw {

struct AboutFacts {
    std::wstring title;        // the application title
    std::wstring version;      // "V2.9"
    std::wstring fileVersion;  // of the running program file; empty when it has none
    std::wstring programFile;  // its full path
    int screenWidth = 0;       // primary display, pixels
    int screenHeight = 0;
    int systemDpi = 96;
    std::wstring elapsed;  // ElapsedText of the history's start
    std::wstring notice;
    std::wstring mail;
    std::wstring homeUrl;
    std::wstring kyivTime;  // UkraineTimeText: two lines of its own
};

// The eleven lines, each followed by CR LF.
std::wstring AboutText(const AboutFacts& facts);

// A DPI as a percentage of 96, rounded half up: 96 gives 100, 100 gives 104, 120 gives 125.
int ScalePercent(int dpi);

// The four 16-bit parts of a file version ("2.9.0.0") from its two 32-bit halves.
std::wstring FileVersionNumberText(std::uint32_t versionMS, std::uint32_t versionLS);

}  // namespace tw
