// Visual styles through the main window: the style list at start, clicks on it, the name saved
// at close, and what the controls draw in a dark style and again in the plain look.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "open_box.h"
#include "surface_pixels.h"
#include "platform/message_box_style.h"
#include "platform/modal.h"
#include "platform/subclass.h"
#include "platform/form.h"
#include "platform/lists.h"
#include "platform/style_engine.h"
#include "platform/style_manager.h"

namespace tw::test {

namespace {

using appearance::Style;
using ui::ColorRole;

// A dark style with flat faces and square corners, so that every role fills whole areas.
Style DarkStyle() {
    Style style;
    style.colors = {0x202124, 0xE8EAED, 0x2B2C30, 0xF1F3F4, 0x3A3B3F, 0xF1F3F4, 0x4A4B50, 0x56575C, 0x8AB4F8, 0x31588A,
                    0xFFFFFF, 0x70727A, 0xA0A3AA, 0x303134, 0xE8EAED, 0x292A2D, 0xE8EAED, 0x202124, 0xE8EAED};
    style.cornerRadius = 0;
    style.borderWidth = 1;
    style.gradient = false;
    return style;
}

Style LightStyle() {
    Style style = DarkStyle();
    style.colors = {0xF3EFE6, 0x2A2418, 0xFFFDF8, 0x201A10, 0xE4DCCB, 0x2A2418, 0xEDE5D4, 0xD6CCB6, 0x9A5B13, 0xC98A3C,
                    0x000000, 0x9C8F76, 0x6E6452, 0xFFF6DC, 0x2A2418, 0xFBF7EE, 0x2A2418, 0xE4DCCB, 0x2A2418};
    style.cornerRadius = 3;
    style.gradient = true;
    return style;
}

// A small catalogue of our own: what the tests need is known names and known colours.
void UseTestCatalogue() {
    ui::StyleManager::Instance().SetCatalogue({L"Jet", L"Glow", L"Aqua Graphite"},
                                              [](std::wstring_view name) -> std::optional<Style> {
                                                  if (name == L"Jet") return DarkStyle();
                                                  if (name == L"Glow" || name == L"Aqua Graphite") return LightStyle();
                                                  return std::nullopt;
                                              });
}

class StyleTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        UseTestCatalogue();
        ui::StyleManager::Instance().Activate(L"Windows");
    }
    void TearDown() override {
        // Shown windows are hidden before they go, so that the next test finds the desktop as
        // it was.
        if (form) form->Hide();
        FormFixture::TearDown();
        ui::StyleManager::Instance().Activate(L"Windows");
        UseEmbeddedStyles();
    }

    void WriteStyleName(const std::string& name) { WriteBytes(UserIni(), "[OPTION]\r\nStyleName=" + name + "\r\n"); }

    std::wstring SelectedRow() const {
        int row = form->StyleList.ItemIndex();
        return row < 0 ? L"" : form->StyleList.Item(row);
    }

    void ClickRow(const std::wstring& name) {
        int row = form->StyleList.IndexOf(name);
        ASSERT_GE(row, 0);
        form->StyleList.SetItemIndex(row);
        form->StyleListClick(&form->StyleList);
    }
};

// The whole client area after a full repaint.
std::vector<DWORD> Capture(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    GetClientRect(hwnd, &r);
    return Read(hwnd, r);
}

// A pixel of a control, in its client coordinates, as its top-level window shows it.
COLORREF PixelIn(HWND hwnd, POINT at) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    MapWindowPoints(hwnd, top, &at, 1);
    DWORD pixel = Read(top, RECT{at.x, at.y, at.x + 1, at.y + 1})[0];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

TEST_F(StyleTest, StartUpAndClicksFollowTheStoredNameAndTheList) {
    struct Case {
        const char* what;
        std::optional<std::string> stored;  // StyleName in the settings file; none: no file
        const wchar_t* clickRow;            // a click on this row after the start, if any
        const wchar_t* active;              // the active style afterwards
        bool styled;
        bool sameLook;  // the click leaves every pixel as it was
    };
    const Case cases[] = {
        {"no settings file", std::nullopt, nullptr, L"Windows", false, false},
        {"a name in other case", "glow", nullptr, L"Glow", true, false},
        {"a name outside the catalogue", "Midnight Velvet", nullptr, L"Windows", false, false},
        {"an empty name", "", nullptr, L"Windows", false, false},
        {"the selected row clicked again", "Jet", L"Jet", L"Jet", true, true},
        {"the plain look clicked", "Jet", L"Windows", L"Windows", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::StyleManager::Instance().Activate(L"Windows");
        DeleteFileW(UserIni().c_str());
        if (c.stored) WriteStyleName(*c.stored);
        Start();
        EXPECT_EQ(form->StartStyleName(), L"Windows");
        ASSERT_EQ(form->StyleList.Count(), 4);
        // Sorted without regard to case: "Windows" comes after "Jet".
        EXPECT_EQ(form->StyleList.Item(0), L"Aqua Graphite");
        EXPECT_EQ(form->StyleList.Item(3), L"Windows");
        if (c.clickRow) {
            form->Show();
            form->Pages.SetActivePageIndex(5);
            std::vector<DWORD> before = Capture(form->Handle());
            ClickRow(c.clickRow);
            EXPECT_EQ(Capture(form->Handle()) == before, c.sameLook);
        }
        EXPECT_EQ(ui::StyleManager::Instance().ActiveName(), c.active);
        EXPECT_EQ(SelectedRow(), c.active);
        EXPECT_EQ(ui::StyleEngine::Instance().Styled(), c.styled);
        EXPECT_EQ(form->ActiveStyleName(), c.active);
        EXPECT_TRUE(ShownErrors().empty());
        form->Hide();
        form.reset();
    }
}

TEST_F(StyleTest, TheProgramsCatalogueFillsTheListWithTheSystemLookInItsPlace) {
    UseEmbeddedStyles();
    WriteStyleName("windows10 dark");
    Start();
    ASSERT_EQ(form->StyleList.Count(), 67);
    int windows = form->StyleList.IndexOf(L"Windows");
    ASSERT_GT(windows, 0);
    EXPECT_EQ(form->StyleList.Item(windows - 1), L"Wedgewood Light");
    EXPECT_EQ(form->StyleList.Item(windows + 1), L"Windows10");
    EXPECT_EQ(form->StyleList.Item(0), L"Amakrits");
    EXPECT_EQ(ui::StyleManager::Instance().ActiveName(), L"Windows10 Dark");
    EXPECT_EQ(SelectedRow(), L"Windows10 Dark");
    EXPECT_TRUE(ui::StyleEngine::Instance().Styled());
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(StyleTest, TheChosenStyleIsSavedAtCloseAndComesBackAtTheNextStart) {
    Start();
    ClickRow(L"Glow");
    form->Close();
    std::optional<std::string> saved = ReadBytes(UserIni());
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("\r\nStyleName=Glow\r\n"), std::string::npos) << *saved;

    form.reset();
    ui::StyleManager::Instance().Activate(L"Windows");
    Start();
    EXPECT_EQ(ui::StyleManager::Instance().ActiveName(), L"Glow");
    EXPECT_EQ(SelectedRow(), L"Glow");
    // The window was made in the plain look: the About box's own background is off now.
    EXPECT_EQ(form->StartStyleName(), L"Windows");

    // Without the saving option the option section goes, and the next start is plain.
    form->CheckBoxSaveStatus.SetChecked(false);
    form->Close();
    form.reset();
    ui::StyleManager::Instance().Activate(L"Windows");
    Start();
    EXPECT_EQ(ui::StyleManager::Instance().ActiveName(), L"Windows");
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(StyleTest, AStyleThatCannotBeLoadedIsReportedAndChangesNothing) {
    ui::StyleManager::Instance().SetCatalogue({L"Broken"}, [](std::wstring_view) { return std::nullopt; });
    WriteStyleName("Broken");
    Start();
    // At start: reported, and the start goes on in the plain look.
    ASSERT_EQ(ShownErrors().size(), 1u);
    EXPECT_EQ(ui::StyleManager::Instance().ActiveName(), L"Windows");
    EXPECT_EQ(SelectedRow(), L"Windows");
    // A click: the error reaches the general error display through the control layer.
    int row = form->StyleList.IndexOf(L"Broken");
    ASSERT_GE(row, 0);
    form->StyleList.SetItemIndex(row);
    SendMessageW(form->Style.Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(form->StyleList.Handle()));
    EXPECT_EQ(ShownErrors().size(), 2u);
    EXPECT_EQ(ui::StyleManager::Instance().ActiveName(), L"Windows");
    EXPECT_FALSE(ui::StyleEngine::Instance().Styled());
    ShownErrors().clear();
}

TEST_F(StyleTest, ADarkStyleColoursEveryControlAndThePlainLookComesBackExactly) {
    Start();
    form->Show();
    SetFocus(form->Handle());
    TTapwhileForm& f = *form;

    // Where to look: a point of a control, in its own client coordinates, and the role it shows.
    struct Probe {
        const char* what;
        int page;
        std::function<HWND()> window;
        std::function<POINT(HWND)> point;
        ColorRole role;
    };
    auto at = [](int x, int y) { return [x, y](HWND) { return POINT{x, y}; }; };
    auto fromRight = [](int x, int y) {
        return [x, y](HWND h) {
            RECT r{};
            GetClientRect(h, &r);
            return POINT{r.right - x, y};
        };
    };
    auto fromBottom = [](int x, int y) {
        return [x, y](HWND h) {
            RECT r{};
            GetClientRect(h, &r);
            return POINT{x, r.bottom - y};
        };
    };
    const std::vector<Probe> probes = {
        {"page background", 1, [&] { return f.GridPanelView.Handle(); }, at(1, 1), ColorRole::Window},
        {"label, enabled", 1, [&] { return f.KeyPresser().MinutesCaption().Handle(); }, at(1, 1), ColorRole::Window},
        {"number box field", 1, [&] { return f.KeyPresser().MinutesBox().Handle(); }, at(2, 2), ColorRole::Field},
        {"check box square", 1, [&] { return f.KeyPresser().IdleOnlySwitch().Handle(); },
         [&](HWND h) {
             RECT r{};
             GetClientRect(h, &r);
             return POINT{3, (r.bottom - f.ScaleValue(13)) / 2 + 2};
         },
         ColorRole::Field},
        {"tab strip beside the tabs", 1, [&] { return f.Pages.Handle(); }, fromRight(2, 3), ColorRole::Window},
        {"status bar", 1, [&] { return f.StatusPanels.Handle(); }, fromBottom(2, 3), ColorRole::Face},
        {"group box frame", 0, [&] { return f.GroupBoxShortcut.Handle(); }, fromBottom(8, 1), ColorRole::Edge},
        {"button face", 6, [&] { return f.ButtonAbout.Handle(); }, fromRight(4, 4), ColorRole::Face},
        {"check-list box row", 2, [&] { return f.KeyCodeList.Handle(); }, fromRight(30, 2), ColorRole::Field},
        {"history memo", 3, [&] { return f.HistoryMemo.Handle(); }, at(40, 40), ColorRole::Field},
        {"style list below its rows", 5, [&] { return f.StyleList.Handle(); }, fromBottom(20, 4), ColorRole::Field},
        {"style list, selected row", 5, [&] { return f.StyleList.Handle(); },
         [&](HWND h) {
             RECT row{};
             SendMessageW(h, LB_GETITEMRECT, static_cast<WPARAM>(f.StyleList.ItemIndex()),
                          reinterpret_cast<LPARAM>(&row));
             return POINT{row.right - 3, (row.top + row.bottom) / 2};
         },
         ColorRole::Selection},
    };

    // The plain look of every page first, as it is drawn today.
    std::vector<std::vector<DWORD>> plain;
    for (int page = 0; page < f.Pages.PageCount(); ++page) {
        f.Pages.SetActivePageIndex(page);
        plain.push_back(Capture(f.Handle()));
    }

    ClickRow(L"Jet");
    ASSERT_TRUE(ui::StyleEngine::Instance().Styled());
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.what);
        f.Pages.SetActivePageIndex(probe.page);
        RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HWND hwnd = probe.window();
        EXPECT_EQ(PixelIn(hwnd, probe.point(hwnd)), ui::RoleColor(probe.role));
    }
    // The roles are the style's colours, not the system's; the hints take them too.
    EXPECT_EQ(ui::RoleColor(ColorRole::Window), RGB(0x20, 0x21, 0x24));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(f.Hints().Handle(), TTM_GETTIPBKCOLOR, 0, 0)), RGB(0x30, 0x31, 0x34));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(f.Hints().Handle(), TTM_GETTIPTEXTCOLOR, 0, 0)),
              RGB(0xE8, 0xEA, 0xED));

    ClickRow(L"Windows");
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(f.Hints().Handle(), TTM_GETTIPBKCOLOR, 0, 0)),
              GetSysColor(COLOR_INFOBK));
    for (int page = 0; page < f.Pages.PageCount(); ++page) {
        SCOPED_TRACE(page);
        f.Pages.SetActivePageIndex(page);
        EXPECT_TRUE(Capture(f.Handle()) == plain[static_cast<size_t>(page)]) << "the plain look differs";
    }
    EXPECT_TRUE(ShownErrors().empty());
}

TEST(StyleListBox, InThePlainLookRowsAreDrawnAsTheSystemsOwnListDrawsThem) {
    // The list draws its rows itself (so that a style reaches the selected row); in the plain
    // look that must be indistinguishable from the system's list.
    ui::Form form(300, 200, L"Meiryo UI", 11);
    ui::ListBox ours(form, 14);
    RECT left{0, 0, 140, 150};
    ours.SetBounds(left);
    HWND system = CreateWindowExW(
        0, WC_LISTBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
        150, 0, 140, 150, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(system);
    SendMessageW(system, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
    SendMessageW(system, LB_SETITEMHEIGHT, 0, form.ScaleValue(14));
    for (const wchar_t* row : {L"Windows10", L"aqua", L"Windows", L"Wedgewood Light", L"Amakrits"}) ours.Add(row);
    for (int i = 0; i < ours.Count(); ++i) {
        SendMessageW(system, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ours.Item(i).c_str()));
    }
    // Ordinal order without regard to case, whatever the locale.
    EXPECT_EQ(ours.Item(0), L"Amakrits");
    EXPECT_EQ(ours.Item(1), L"aqua");
    EXPECT_EQ(ours.Item(2), L"Wedgewood Light");
    EXPECT_EQ(ours.Item(3), L"Windows");
    EXPECT_EQ(ours.Item(4), L"Windows10");
    ours.SetItemIndex(3);
    SendMessageW(system, LB_SETCURSEL, 3, 0);
    form.Show();
    SetFocus(form.Handle());
    Capture(form.Handle());
    RECT right{150, 0, 290, 150};
    EXPECT_TRUE(Read(form.Handle(), left) == Read(form.Handle(), right));
    form.Hide();
}

// The program's message boxes in a style of our own.
class StyledMessageBox : public testing::Test {
protected:
    void SetUp() override {
        ShownErrors().clear();
        UseTestCatalogue();
        ui::StyleManager::Instance().Activate(L"Jet");
    }
    void TearDown() override {
        ui::StyleManager::Instance().Activate(L"Windows");
        UseEmbeddedStyles();
    }
    // A button of the box that shows.
    static HWND ShownButton(HWND box) {
        HWND found = nullptr;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM out) {
                wchar_t name[16] = {};
                GetClassNameW(child, name, 16);
                if (lstrcmpiW(name, L"Button") != 0 || !IsWindowVisible(child)) return TRUE;
                *reinterpret_cast<HWND*>(out) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static std::wstring TextOf(HWND hwnd) {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        return text;
    }
    static LRESULT AnswerUiState(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* state) {
        if (message == WM_QUERYUISTATE) return *static_cast<LRESULT*>(state);
        return ui::CallNextSubclass(hwnd, message, wParam, lParam);
    }
    // A child as the box shows it after the child alone was drawn again.
    static std::vector<DWORD> Shot(HWND box, HWND child) {
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        return Read(box, r);
    }
};

TEST_F(StyledMessageBox, TheWholeBoxTakesTheStyleAndMnemonicsAreUnderlinedOnlyWithKeyboardCues) {
    bool checked = false;
    std::function<bool(HWND)> step = [&](HWND box) {
        checked = true;
        // Whatever else paints the box (the system's box paints a light band behind its
        // buttons), one painting without erasing covers every pixel in the style.
        RECT client{};
        GetClientRect(box, &client);
        HDC dc = GetDC(box);
        HBRUSH foreign = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &client, foreign);
        DeleteObject(foreign);
        ReleaseDC(box, dc);
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const COLORREF background = ui::RoleColor(ColorRole::Window);
        for (POINT at : {POINT{1, 1}, POINT{client.right - 2, client.bottom - 2}, POINT{1, client.bottom - 2},
                         POINT{client.right / 2, client.bottom - 2}}) {
            EXPECT_EQ(PixelIn(box, at), background) << "at " << at.x << ", " << at.y;
        }

        // The button's mnemonic: "はい(&Y)", "&Ja" and so on, by the system's language.
        HWND button = ShownButton(box);
        if (!button) {
            ADD_FAILURE() << "the box shows no button";
        } else {
            const std::wstring caption = TextOf(button);
            std::wstring bare = caption;
            bare.erase(std::remove(bare.begin(), bare.end(), L'&'), bare.end());
            EXPECT_NE(bare, caption) << "the caption has no mnemonic";
            auto drawnAs = [&](const std::wstring& text) {
                SetWindowTextW(button, text.c_str());
                return Shot(box, button);
            };
            // What the system answers for the box: cues hidden when it was opened with the
            // mouse, shown after the user pressed Alt (Wine keeps no such state: the button
            // is told here).
            LRESULT uiState = UISF_HIDEACCEL | UISF_HIDEFOCUS;
            ui::AddSubclass(button, AnswerUiState, &uiState);
            EXPECT_TRUE(drawnAs(caption) == drawnAs(bare)) << "underlined without keyboard cues";
            uiState = 0;
            EXPECT_FALSE(drawnAs(caption) == drawnAs(bare)) << "not underlined with keyboard cues";
            SetWindowTextW(button, caption.c_str());
            ui::RemoveSubclass(button, AnswerUiState);
        }
        PostMessageW(box, WM_COMMAND, IDNO, 0);
        return true;
    };
    WhileBoxOpen(step, [] { return ui::ShowMessageBox(L"終了してもよいですか？", L"カタコト号", MB_YESNO); });
    EXPECT_TRUE(checked);
}

TEST_F(StyledMessageBox, AScopeWhoseHookCannotBeInstalledLeavesTheScopesAsTheyWere) {
    using ui::MessageBoxStyleScope;
    static HHOOK (*install)(HOOKPROC) = nullptr;
    static bool refuse = false;
    install = MessageBoxStyleScope::installHook;
    MessageBoxStyleScope::installHook = [](HOOKPROC proc) { return refuse ? HHOOK{} : install(proc); };
    refuse = true;
    {
        MessageBoxStyleScope alone;
        EXPECT_EQ(MessageBoxStyleScope::Innermost(), nullptr);
    }
    EXPECT_EQ(MessageBoxStyleScope::Innermost(), nullptr);
    refuse = false;
    {
        MessageBoxStyleScope outer;
        EXPECT_EQ(MessageBoxStyleScope::Innermost(), &outer);
        refuse = true;
        {
            MessageBoxStyleScope inner;  // a box from a handler inside the outer box's loop
            EXPECT_EQ(MessageBoxStyleScope::Innermost(), &outer);
        }
        EXPECT_EQ(MessageBoxStyleScope::Innermost(), &outer);
        refuse = false;
    }
    EXPECT_EQ(MessageBoxStyleScope::Innermost(), nullptr);
    MessageBoxStyleScope::installHook = install;

    // The next box takes the style as ever.
    COLORREF seen = 0;
    std::function<bool(HWND)> step = [&](HWND box) {
        seen = PixelIn(box, POINT{1, 1});
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
    WhileBoxOpen(step, [] { return ui::ShowMessageBox(L"設定を保存できませんでした", L"カタコト号", MB_OK); });
    EXPECT_EQ(seen, ui::RoleColor(ColorRole::Window));
}

}  // namespace tw::test
