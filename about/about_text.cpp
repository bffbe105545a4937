#include "about/about_text.h"

namespace tw {

int ScalePercent(int dpi) { return (dpi * 100 + 48) / 96; }

std::wstring FileVersionNumberText(std::uint32_t versionMS, std::uint32_t versionLS) {
    return std::to_wstring(versionMS >> 16) + L"." + std::to_wstring(versionMS & 0xFFFF) + L"." +
           std::to_wstring(versionLS >> 16) + L"." + std::to_wstring(versionLS & 0xFFFF);
}

std::wstring AboutText(const AboutFacts& f) {
    const std::wstring lines[] = {
        f.title + L" " + f.version + L" (" + f.fileVersion + L") Release Build",
        f.programFile,
        L"CurrentScreen " + std::to_wstring(f.screenWidth) + L" x " + std::to_wstring(f.screenHeight) + L" / " +
            std::to_wstring(f.systemDpi) + L"dpi x " + std::to_wstring(ScalePercent(f.systemDpi)) + L"%",
        L"Elapsed " + f.elapsed,
        L"",
        f.notice,
        f.mail,
        f.homeUrl,
        L"made in Japan",
        L"",
        f.kyivTime,
    };
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}

}  // namespace tw
