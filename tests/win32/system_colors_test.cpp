// The plain look under a dark, high-contrast-like colour scheme chosen while the program runs:
// every text read from the screen stands out from the system's background.
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "about/about_dialog_win.h"
#include "form_fixture.h"
#include "platform/style_engine.h"
#include "platform/subclass.h"
#include "pump.h"
#include "surface_pixels.h"
#include "tests/unit/contrast.h"

namespace tw::test {

namespace {

// The system's colours replaced for as long as the object lives, as a user who picks a high-
// contrast scheme replaces them; the saved colours come back in every case, and the style engine
// reads them again even when no window of the program is left to hear of it.
class ColorSchemeScope {
public:
    explicit ColorSchemeScope(std::vector<std::pair<int, COLORREF>> scheme) {
        std::vector<int> elements;
        std::vector<COLORREF> colors;
        for (auto [element, color] : scheme) {
            saved_.emplace_back(element, GetSysColor(element));
            elements.push_back(element);
            colors.push_back(color);
        }
        SetSysColors(static_cast<int>(elements.size()), elements.data(), colors.data());
    }
    ~ColorSchemeScope() {
        std::vector<int> elements;
        std::vector<COLORREF> colors;
        for (auto [element, color] : saved_) {
            elements.push_back(element);
            colors.push_back(color);
        }
        SetSysColors(static_cast<int>(elements.size()), elements.data(), colors.data());
        ui::StyleEngine::Instance().RefreshSystemSettings();
    }
    ColorSchemeScope(const ColorSchemeScope&) = delete;
    ColorSchemeScope& operator=(const ColorSchemeScope&) = delete;

private:
    std::vector<std::pair<int, COLORREF>> saved_;
};

// White on black with green grey text, as the system's high-contrast black scheme has them.
std::vector<std::pair<int, COLORREF>> HighContrastBlack() {
    return {
        {COLOR_BTNFACE, RGB(0, 0, 0)},
        {COLOR_BTNTEXT, RGB(255, 255, 255)},
        {COLOR_WINDOW, RGB(0, 0, 0)},
        {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
        {COLOR_GRAYTEXT, RGB(63, 242, 0)},
        {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
        {COLOR_3DLIGHT, RGB(192, 192, 192)},
        {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
        {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
        {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
        {COLOR_INFOBK, RGB(0, 0, 0)},
        {COLOR_INFOTEXT, RGB(255, 255, 255)},
        {COLOR_MENU, RGB(0, 0, 0)},
        {COLOR_MENUTEXT, RGB(255, 255, 255)},
        {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
    };
}

// The classic drawing of a desktop without a visual theme (the test prefix has one on): the
// window and all its children ask for a theme class that no theme has, and so draw in the
// system's colours.
void WithoutTheme(HWND top) {
    SetWindowTheme(top, L" ", L" ");
    EnumChildWindows(
        top,
        [](HWND child, LPARAM) {
            SetWindowTheme(child, L" ", L" ");
            return TRUE;
        },
        0);
}

// What a rectangle of a window shows: its commonest colour, taken as the background, and the
// colour that stands out most from it, taken as the text.
struct Seen {
    COLORREF background = 0;
    COLORREF text = 0;
    double contrast = 1;
};

Seen Look(HWND window, RECT r) {
    HWND top = GetAncestor(window, GA_ROOT);
    MapWindowPoints(window, top, reinterpret_cast<POINT*>(&r), 2);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    Seen seen;
    if (width <= 0 || height <= 0) return seen;
    std::map<appearance::Rgb, int> counts;
    for (DWORD pixel : test::Read(top, r)) ++counts[pixel & 0xFFFFFF];

    auto commonest = std::max_element(counts.begin(), counts.end(),
                                      [](const auto& a, const auto& b) { return a.second < b.second; });
    appearance::Rgb background = commonest->first;
    appearance::Rgb text = background;
    for (const auto& [color, count] : counts) {
        if (Contrast(color, background) > Contrast(text, background)) text = color;
    }
    auto toColorRef = [](appearance::Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); };
    return {toColorRef(background), toColorRef(text), Contrast(text, background)};
}

RECT ClientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

RECT Deflated(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

// Counts the scheme changes a control hears of (data: the count).
LRESULT CountColorChanges(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
    if (message == WM_SYSCOLORCHANGE) ++*static_cast<int*>(data);
    return ui::CallNextSubclass(hwnd, message, wParam, lParam);
}

class SystemColorsTest : public FormFixture {
protected:
    void TearDown() override {
        if (form) form->Hide();
        FormFixture::TearDown();
    }
};

}  // namespace

TEST_F(SystemColorsTest, InADarkSchemeChosenWhileTheProgramRunsEveryTextStandsOutFromTheSystemsBackground) {
    Start();
    form->Show();
    SetFocus(form->Handle());
    TTapwhileForm& f = *form;
    ASSERT_FALSE(ui::StyleEngine::Instance().Styled());
    WithoutTheme(f.Handle());
    // The hints' tool tip was made in the old colours.
    HWND hints = f.Hints().Handle();

    // Controls at every depth: the tabs, the status bar, a label inside two grid panels.
    std::vector<std::pair<HWND, int>> heard = {
        {f.Pages.Handle(), 0}, {f.StatusPanels.Handle(), 0}, {f.KeyPresser().MinutesCaption().Handle(), 0}};
    for (auto& [window, count] : heard) ui::AddSubclass(window, CountColorChanges, &count);

    ColorSchemeScope dark(HighContrastBlack());
    for (auto& [window, count] : heard) {
        ui::RemoveSubclass(window, CountColorChanges);
        EXPECT_EQ(count, 1) << "a control did not hear of the new colours";
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF field = GetSysColor(COLOR_WINDOW);
    ASSERT_EQ(face, RGB(0, 0, 0));

    struct Probe {
        const char* what;
        int page;
        std::function<HWND()> window;
        std::function<RECT(HWND)> area;  // in the window's client coordinates
        COLORREF background;
        double minimum;
    };
    auto whole = [](HWND h) { return ClientRect(h); };
    // Right of the check box's square.
    auto caption = [&](HWND h) {
        RECT r = ClientRect(h);
        r.left += f.ScaleValue(18);
        return r;
    };
    // A row in view that is not selected (the list shows its selected row).
    auto row = [](int left) {
        return [left](HWND h) {
            WPARAM index = static_cast<WPARAM>(SendMessageW(h, LB_GETTOPINDEX, 0, 0));
            if (static_cast<LRESULT>(index) == SendMessageW(h, LB_GETCURSEL, 0, 0)) ++index;
            RECT r{};
            SendMessageW(h, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
            r.left += left;
            return Deflated(r, 1);
        };
    };
    const std::vector<Probe> probes = {
        {"label", 1, [&] { return f.KeyPresser().MinutesCaption().Handle(); }, whole, face, 4.5},
        {"check-box caption", 1, [&] { return f.KeyPresser().OnSwitch().Handle(); }, caption, face, 4.5},
        {"disabled label", 1, [&] { return f.Reloader().MinutesCaption().Handle(); }, whole, face, 3.0},
        {"disabled check-box caption", 1, [&] { return f.Reloader().IdleOnlySwitch().Handle(); }, caption, face, 3.0},
        {"group-box caption", 0, [&] { return f.GroupBoxShortcut.Handle(); },
         [&](HWND) {
             return RECT{f.ScaleValue(10), 0, f.ScaleValue(40), f.ScaleValue(13)};
         },
         face, 4.5},
        {"a tab", 1, [&] { return f.Pages.Handle(); },
         [](HWND h) {
             RECT r{};
             SendMessageW(h, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
             return Deflated(r, 4);
         },
         face, 4.5},
        {"status bar", 1, [&] { return f.StatusPanels.Handle(); },
         [](HWND h) {
             RECT r{};
             SendMessageW(h, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
             return Deflated(r, 3);
         },
         face, 4.5},
        {"key code list row", 2, [&] { return f.KeyCodeList.Handle(); }, row(f.ScaleValue(20)), field, 4.5},
        {"style list row", 5, [&] { return f.StyleList.Handle(); }, row(0), field, 4.5},
    };
    f.StatusPanels.SetPanelText(0, L"2025/10/09 14:05:00");
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.what);
        f.Pages.SetActivePageIndex(probe.page);
        UpdateWindow(f.Handle());
        Pump(50);
        HWND window = probe.window();
        Seen seen = Look(window, probe.area(window));
        EXPECT_EQ(seen.background, probe.background) << std::hex << "background " << seen.background;
        EXPECT_GE(seen.contrast, probe.minimum) << std::hex << "text " << seen.text << " on " << seen.background;
    }
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(hints, TTM_GETTIPBKCOLOR, 0, 0)), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(hints, TTM_GETTIPTEXTCOLOR, 0, 0)), GetSysColor(COLOR_INFOTEXT));
}

TEST(AboutDialogColors, OnTheSystemsBackgroundItsTextTakesTheSystemsTextColour) {
    // The box without its picture: the plain look while high contrast overrides a style.
    AboutDialog box(nullptr, L"caption", L"カタコト号 V2.9\r\n", 0, L"hint");
    WithoutTheme(box.Handle());
    ColorSchemeScope dark(HighContrastBlack());
    ShowWindow(box.Handle(), SW_SHOW);
    UpdateWindow(box.Handle());
    Pump(50);
    HWND message = GetDlgItem(box.Handle(), AboutDialog::MessageId);
    Seen seen = Look(message, ClientRect(message));
    EXPECT_EQ(seen.background, GetSysColor(COLOR_BTNFACE));
    EXPECT_GE(seen.contrast, 4.5) << std::hex << "text " << seen.text << " on " << seen.background;
}

}  // namespace tw::test
