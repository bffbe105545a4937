// The control layer's rules: a change from code behaves like the user's, number boxes hold whole
// numbers within their range, and an exception never crosses a window procedure.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fakes.h"
#include "platform/application.h"
#include "platform/buttons.h"
#include "platform/form.h"
#include "platform/number_box.h"
#include "platform/panels.h"
#include "platform/style_engine.h"
#include "platform/style_paint.h"
#include "runtime/error.h"

namespace tw::ui {
namespace {

class ControlsTest : public testing::Test {
protected:
    Form form{300, 200, L"Meiryo UI", 11};
    GridPanel grid{form, {Share::Percent(1)}, {Share::Percent(1), Share::Percent(1)}};
    void SetUp() override {
        grid.placement.align = Align::Client;
        form.Realign();
    }
    // What a user's click on a button makes the button tell its parent.
    static void UserClick(Control& button, bool toggleCheck = false) {
        if (toggleCheck) {
            LRESULT state = SendMessageW(button.Handle(), BM_GETCHECK, 0, 0);
            SendMessageW(button.Handle(), BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        }
        SendMessageW(button.Parent()->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button.Handle()));
    }
    int clicks = 0;
    int changes = 0;
};

TEST_F(ControlsTest, CheckBoxFromCodeRunsClickOnlyWhenTheStateChanges) {
    CheckBox box(grid, L"box", false);
    box.OnClick = [&](Object*) { ++clicks; };
    box.SetChecked(false);
    EXPECT_EQ(clicks, 0);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.Checked());
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box.SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, UsersClickRunsTheHandler) {
    CheckBox box(grid, L"box", false);
    bool stateSeen = false;
    box.OnClick = [&](Object*) {
        ++clicks;
        stateSeen = box.Checked();
    };
    UserClick(box, true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(stateSeen);
}

TEST_F(ControlsTest, NumberBoxFromCodeIsClampedAndChangesOnlyOnANewValue) {
    NumberBox box(grid, 0, 50, 1);
    box.OnChange = [&](Object*) { ++changes; };
    box.SetValue(1);
    EXPECT_EQ(changes, 0);
    box.SetValue(80);  // above the range
    EXPECT_EQ(box.Value(), 50);
    EXPECT_EQ(box.Text(), L"50");
    EXPECT_EQ(changes, 1);
    box.SetValue(51);  // clamps to the value already shown
    EXPECT_EQ(changes, 1);
    box.SetValue(-3);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, NumberBoxTypingRunsChangeReadsInRangeAndLeavingShowsTheValue) {
    NumberBox box(grid, 1, 60, 1);
    std::vector<int> seen;
    box.OnChange = [&](Object*) { seen.push_back(box.Value()); };
    // What the user types arrives as a text change of the edit; every read is in range.
    struct Typed {
        const wchar_t* text;
        int value;
    };
    for (const Typed& typed : {Typed{L"0", 1}, Typed{L"", 1}, Typed{L"45", 45}, Typed{L"75", 60},
                               Typed{L"999999999", 60}, Typed{L"99999999999999999999", 60}}) {
        SetWindowTextW(box.Handle(), typed.text);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), typed.value) << typed.text;
        EXPECT_EQ(box.Value(), typed.value) << typed.text;
    }
    const size_t changes = seen.size();
    SendMessageW(box.Parent()->Handle(), WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(box.Handle()));
    EXPECT_EQ(box.Text(), L"60");
    EXPECT_EQ(seen.size(), changes);  // the value stays what it was read as
}

// What the Japanese input method gives in its full-width mode, typed key by key and pasted: the
// digits count as the digits they are and show as ASCII; any other text keeps its rule.
TEST_F(ControlsTest, NumberBoxReadsFullWidthDigitsTypedOrPasted) {
    NumberBox box(grid, 1, 60, 7);
    std::vector<int> seen;
    box.OnChange = [&](Object*) { seen.push_back(box.Value()); };
    auto typeIn = [&](const std::wstring& text) {
        SendMessageW(box.Handle(), EM_SETSEL, 0, -1);
        SendMessageW(box.Handle(), WM_CHAR, VK_BACK, 0);
        for (wchar_t c : text) SendMessageW(box.Handle(), WM_CHAR, c, 0);
    };
    auto pasteIn = [&](const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(box.Handle()));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        ASSERT_NE(memory, nullptr);
        std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        ASSERT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
        CloseClipboard();
        SendMessageW(box.Handle(), EM_SETSEL, 0, -1);
        SendMessageW(box.Handle(), WM_PASTE, 0, 0);
    };
    struct Case {
        const wchar_t* input;
        const wchar_t* typedText;  // the edit drops keys other than digits
        int typedValue;
        const wchar_t* pastedText;  // a paste is not filtered
        int pastedValue;
    };
    const Case cases[] = {
        {L"\xFF11\xFF15", L"15", 15, L"15", 15},
        {L"\xFF12"
         L"0",
         L"20", 20, L"20", 20},
        {L"\xFF10", L"0", 1, L"0", 1},
        {L"\xFF17\xFF15", L"75", 60, L"75", 60},
        {L"\xFF11"
         L"a\xFF15",
         L"15", 15, L"1a5", 1},
    };
    for (const Case& c : cases) {
        typeIn(c.input);
        EXPECT_EQ(box.Text(), c.typedText) << "typed " << testing::PrintToString(std::wstring(c.input));
        EXPECT_EQ(box.Value(), c.typedValue) << "typed";
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), c.typedValue) << "the change handler saw the typed value";
        box.SetValue(7);
        pasteIn(c.input);
        EXPECT_EQ(box.Text(), c.pastedText) << "pasted";
        EXPECT_EQ(box.Value(), c.pastedValue) << "pasted";
        EXPECT_EQ(seen.back(), c.pastedValue) << "the change handler saw the pasted value";
        box.SetValue(7);
    }
    pasteIn(L"");
    EXPECT_EQ(box.Text(), L"");
    EXPECT_EQ(box.Value(), 1);
    // From code too.
    box.SetText(L"\xFF13\xFF10");
    EXPECT_EQ(box.Text(), L"30");
    EXPECT_EQ(box.Value(), 30);
}

TEST_F(ControlsTest, NumberBoxFollowsTheWheelWithinItsRange) {
    NumberBox box(grid, 1, 30, 29);
    box.OnChange = [&](Object*) { ++changes; };
    SendMessageW(box.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(box.Value(), 30);
    EXPECT_EQ(changes, 1);
    SendMessageW(box.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // already at the top
    EXPECT_EQ(box.Value(), 30);
    EXPECT_EQ(changes, 1);
    SendMessageW(box.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
    EXPECT_EQ(box.Value(), 28);
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, AnExceptionInAHandlerGoesToTheErrorDisplayAndTheLoopGoesOn) {
    Button button(grid, L"go");
    button.OnClick = [](Object*) { throw Error(L"Cannot write C:\\x.ini"); };
    UserClick(button);
    const std::vector<std::wstring> errors = test::TakeShownErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Cannot write C:\\x.ini");
    EXPECT_EQ(ErrorDisplayText(L"Cannot write C:\\x.ini"), L"Cannot write C:\\x.ini.");
    EXPECT_EQ(ErrorDisplayText(L"Done."), L"Done.");
    EXPECT_EQ(ErrorDisplayText(L"(code 5)"), L"(code 5)");  // ")" sorts below "."
    // The window still works afterwards.
    button.OnClick = [&](Object*) { ++clicks; };
    UserClick(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, PageControlFromCodeShowsThePageWithoutTheChangeEvent) {
    PageControl pages(grid);
    Page first(pages, L"one");
    Page second(pages, L"two");
    pages.OnChange = [&](Object*) { ++changes; };
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);  // so that visibility on screen can be seen
    ASSERT_TRUE(IsWindowVisible(form.Handle()));
    pages.SetActivePageIndex(1);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(second.Handle()));
    EXPECT_FALSE(IsWindowVisible(first.Handle()));
    EXPECT_FALSE(GetWindowLongW(first.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongW(second.Handle(), GWL_STYLE) & WS_VISIBLE);
    pages.SetActivePageIndex(9);  // no such page: none is active
    EXPECT_EQ(pages.ActivePageIndex(), -1);
    EXPECT_FALSE(GetWindowLongW(second.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(changes, 0);
}

// A control of its own kind, to see what its parent hands it.
class DrawnControl : public Control {
public:
    explicit DrawnControl(Container& parent) : Control(&parent, &parent.OwnerForm()) {
        Attach(CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 10, 10, parent.Handle(),
                               nullptr, Application::Instance().InstanceHandle(), nullptr));
    }
    int drawn = 0;
    bool HandleDrawItem(DRAWITEMSTRUCT&) override {
        ++drawn;
        return true;
    }
};

TEST_F(ControlsTest, OwnerDrawingFindsTheControlByItsWindowWhateverTheControlType) {
    DrawnControl control(grid);
    // A status bar's parts leave CtlType undefined: it may read as anything, a menu's type too.
    for (UINT type : {UINT{ODT_STATIC}, UINT{ODT_MENU}, UINT{0}, UINT{0xCDCDCDCD}}) {
        DRAWITEMSTRUCT item{};
        item.CtlType = type;
        item.hwndItem = control.Handle();
        EXPECT_EQ(SendMessageW(grid.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE) << type;
    }
    EXPECT_EQ(control.drawn, 4);
    // A menu's item names its menu, which is no window: nothing to route, nothing breaks.
    HMENU menu = CreatePopupMenu();
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.hwndItem = reinterpret_cast<HWND>(menu);
    SendMessageW(grid.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    DestroyMenu(menu);
    EXPECT_EQ(control.drawn, 4);
}

TEST_F(ControlsTest, StyledButtonsGiveTheDeviceContextBackAsTheyFoundIt) {
    // A button drawn in a style selects its font and pen and sets text colour and mode on the
    // device context it is handed: the caller finds it as it was afterwards.
    struct PlainLookAfterwards {
        ~PlainLookAfterwards() { StyleEngine::Instance().Activate(std::nullopt); }
    } plainLook;
    appearance::Style style;
    style.name = L"Test";
    style.colors[ColorRole::Face] = 0x3A3B3F;
    style.colors[ColorRole::FaceText] = 0xF1F3F4;
    style.colors[ColorRole::FieldText] = 0xF1F3F4;
    StyleEngine::Instance().Activate(style);
    Button button(grid, L"&Go");
    CheckBox box(grid, L"box", true);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ font = GetStockObject(SYSTEM_FIXED_FONT);
    HGDIOBJ pen = GetStockObject(WHITE_PEN);
    HGDIOBJ brush = GetStockObject(GRAY_BRUSH);
    HGDIOBJ oldFont = SelectObject(dc, font);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(1, 2, 3));
    for (Control* control : {static_cast<Control*>(&button), static_cast<Control*>(&box)}) {
        NMCUSTOMDRAW draw{};
        draw.hdr.hwndFrom = control->Handle();
        draw.hdr.code = NM_CUSTOMDRAW;
        draw.dwDrawStage = CDDS_PREPAINT;
        draw.hdc = dc;
        draw.rc = RECT{0, 0, 120, 30};
        draw.uItemState = CDIS_FOCUS | CDIS_SHOWKEYBOARDCUES;
        LRESULT result = 0;
        ASSERT_TRUE(CustomDrawButton(draw, result));
        EXPECT_EQ(result, CDRF_SKIPDEFAULT);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(ControlsTest, HintsAreRegisteredUnlessTheControlHasThemOff) {
    Button shown(grid, L"go");
    Button quiet(grid, L"stay");
    shown.SetHint(L"Go now");
    quiet.SetHint(L"Stay here", false);
    // Its window, and the area of its parent under it (for the time it is disabled).
    EXPECT_EQ(SendMessageW(form.Hints().Handle(), TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(quiet.Hint(), L"Stay here");  // kept all the same
}

}  // namespace
}  // namespace tw::ui
