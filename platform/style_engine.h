#pragma once
// The one active look of the whole application. Controls ask it for a colour role; in the plain
// system look it answers with the system's colours and Styled() is false, so that every control
// keeps its default drawing. Brushes belong to the active style and are rebuilt when it changes.
#include <windows.h>

#include <array>
#include <optional>

#include "appearance/style.h"

namespace tw::ui {

using appearance::ColorRole;

class StyleEngine {
public:
    static StyleEngine& Instance();
    ~StyleEngine();
    StyleEngine(const StyleEngine&) = delete;
    StyleEngine& operator=(const StyleEngine&) = delete;

    // True while a style of our own draws the controls: one is active and the system's high-
    // contrast mode is off.
    bool Styled() const { return styled_; }
    // The style being drawn, or nullptr for the plain system look.
    const appearance::Style* Drawing() const { return styled_ ? &*style_ : nullptr; }

    COLORREF Color(ColorRole role) const;
    HBRUSH Brush(ColorRole role) const;

    // Makes the style active (nullopt: the plain system look) and redraws every window of this
    // thread at once.
    void Activate(std::optional<appearance::Style> style);
    // Reads the system's colours and high-contrast switch again; redraws every window when
    // high contrast switched between the style and the system look, or when the system look's
    // colours changed.
    void RefreshSystemSettings();
    // Redraws every window of this thread in the current look: frames, captions, tool tips.
    void RestyleWindows();
    // Gives a top-level window and a tool tip the current look (for windows made after a switch).
    void StyleTopLevel(HWND hwnd) const;
    void StyleTooltip(HWND tooltip) const;

private:
    StyleEngine();
    void Rebuild();
    void FreeObjects();

    std::optional<appearance::Style> style_;
    bool highContrast_ = false;
    bool styled_ = false;
    std::array<COLORREF, appearance::ColorRoleCount> colors_{};
    std::array<HBRUSH, appearance::ColorRoleCount> brushes_{};
};

// Shorthands for the controls.
inline bool Styled() { return StyleEngine::Instance().Styled(); }
inline COLORREF RoleColor(ColorRole role) { return StyleEngine::Instance().Color(role); }
inline HBRUSH RoleBrush(ColorRole role) { return StyleEngine::Instance().Brush(role); }

// Whether the system draws the caption in colours a program can choose (Windows 11 and later,
// decided by the build number: the call that sets them succeeds on older systems too).
bool CaptionColorsSupported();

}  // namespace tw::ui
