#include "platform/style_engine.h"

#include <commctrl.h>
#include <dwmapi.h>
#include <uxtheme.h>

#include <vector>

#include "platform/system_library.h"

namespace tw::ui {

namespace {

// The system colour each role takes in the plain look: the colours the controls use by default.
constexpr int kSystemColor[] = {
#define TAPWHILE_ROLE_SYSTEM_COLOR(name, key, systemColor) systemColor,
    TAPWHILE_COLOR_ROLES(TAPWHILE_ROLE_SYSTEM_COLOR)
#undef TAPWHILE_ROLE_SYSTEM_COLOR
};

COLORREF ToColorRef(appearance::Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

bool HighContrastOn() {
    HIGHCONTRASTW info{};
    info.cbSize = sizeof(info);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(info), &info, 0) && (info.dwFlags & HCF_HIGHCONTRASTON);
}

bool IsTooltip(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return lstrcmpiW(name, TOOLTIPS_CLASSW) == 0;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

// Caption attributes of the system that draws title bars in a program's colours.
constexpr DWORD kUseDarkMode = 20;
constexpr DWORD kBorderColor = 34;
constexpr DWORD kCaptionColor = 35;
constexpr DWORD kTextColor = 36;
constexpr COLORREF kDefaultColor = 0xFFFFFFFF;

}  // namespace

bool CaptionColorsSupported() {
    static const bool supported = [] {
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        auto getVersion =
            ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                  : nullptr;
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        if (!getVersion || getVersion(&info) != 0) return false;
        return info.dwMajorVersion > 10 || (info.dwMajorVersion == 10 && info.dwBuildNumber >= 22000);
    }();
    return supported;
}

StyleEngine& StyleEngine::Instance() {
    static StyleEngine engine;
    return engine;
}

StyleEngine::StyleEngine() {
    highContrast_ = HighContrastOn();
    Rebuild();
}

StyleEngine::~StyleEngine() { FreeObjects(); }

void StyleEngine::FreeObjects() {
    for (size_t i = 0; i < brushes_.size(); ++i) {
        if (brushes_[i]) DeleteObject(brushes_[i]);
        brushes_[i] = nullptr;
    }
}

void StyleEngine::Rebuild() {
    FreeObjects();
    styled_ = style_.has_value() && !highContrast_;
    for (size_t i = 0; i < colors_.size(); ++i) {
        colors_[i] = styled_ ? ToColorRef(style_->colors.slots[i]) : GetSysColor(kSystemColor[i]);
        // Our own brushes in the system look too: a system colour brush can go when the scheme
        // changes (a brush of the colour that the system has now is made again here then).
        brushes_[i] = CreateSolidBrush(colors_[i]);
    }
}

COLORREF StyleEngine::Color(ColorRole role) const { return colors_[static_cast<size_t>(role)]; }
HBRUSH StyleEngine::Brush(ColorRole role) const { return brushes_[static_cast<size_t>(role)]; }

void StyleEngine::Activate(std::optional<appearance::Style> style) {
    bool wasStyled = styled_;
    style_ = std::move(style);
    Rebuild();
    if (wasStyled || styled_) RestyleWindows();
}

void StyleEngine::RefreshSystemSettings() {
    highContrast_ = HighContrastOn();
    const bool wasStyled = styled_;
    const auto oldColors = colors_;
    Rebuild();
    // High contrast switched the look, or the system look has new colours.
    if (wasStyled != styled_ || colors_ != oldColors) RestyleWindows();
}

void StyleEngine::StyleTopLevel(HWND hwnd) const {
    if (!CaptionColorsSupported()) return;
    BOOL dark = FALSE;
    COLORREF caption = kDefaultColor, text = kDefaultColor, border = kDefaultColor;
    if (styled_) {
        caption = Color(ColorRole::Caption);
        text = Color(ColorRole::CaptionText);
        border = Color(ColorRole::Edge);
        dark = GetRValue(caption) * 299 + GetGValue(caption) * 587 + GetBValue(caption) * 114 < 128000;
    }
    // Best effort: a system that ignores an attribute keeps its own caption.
    static const auto setAttribute =
        SystemFunction<decltype(&DwmSetWindowAttribute)>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute) return;
    setAttribute(hwnd, kUseDarkMode, &dark, sizeof(dark));
    setAttribute(hwnd, kCaptionColor, &caption, sizeof(caption));
    setAttribute(hwnd, kTextColor, &text, sizeof(text));
    setAttribute(hwnd, kBorderColor, &border, sizeof(border));
}

void StyleEngine::StyleTooltip(HWND tooltip) const {
    if (!tooltip) return;
    if (styled_) {
        // A themed tool tip ignores the colours it is given.
        SetWindowTheme(tooltip, L"", L"");
        SendMessageW(tooltip, TTM_SETTIPBKCOLOR, Color(ColorRole::Tip), 0);
        SendMessageW(tooltip, TTM_SETTIPTEXTCOLOR, Color(ColorRole::TipText), 0);
    } else {
        SetWindowTheme(tooltip, nullptr, nullptr);
        SendMessageW(tooltip, TTM_SETTIPBKCOLOR, GetSysColor(COLOR_INFOBK), 0);
        SendMessageW(tooltip, TTM_SETTIPTEXTCOLOR, GetSysColor(COLOR_INFOTEXT), 0);
    }
}

void StyleEngine::RestyleWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd : windows) {
        if (IsTooltip(hwnd)) {
            StyleTooltip(hwnd);
            continue;
        }
        StyleTopLevel(hwnd);
        if (!IsWindowVisible(hwnd)) {
            // Hidden windows paint when shown; their frames and children just need invalidating.
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            continue;
        }
        // One synchronous pass over the window and all its children: no part shows the old look
        // after another has the new one.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

}  // namespace tw::ui
