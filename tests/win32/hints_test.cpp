// Hints as the user meets them: the mouse rests on a control and its hint shows, on a disabled
// control too; the two labels whose panels have hints off show none.
#include "form_fixture.h"

#include <commctrl.h>

#include "pump.h"

namespace tw {
namespace {

class HintsTest : public test::FormFixture {
protected:
    // Rests the mouse on the middle of a control and returns the hint then shown, if any.
    std::wstring HintShownOver(ui::Control& control) {
        HWND tip = form->Hints().Handle();
        SendMessageW(tip, TTM_POP, 0, 0);
        RECT r{};
        GetWindowRect(control.Handle(), &r);
        for (int step = 0; step < 4; ++step) {
            SetCursorPos((r.left + r.right) / 2 + step, (r.top + r.bottom) / 2);
            INPUT move{};
            move.type = INPUT_MOUSE;
            move.mi.dwFlags = MOUSEEVENTF_MOVE;
            SendInput(1, &move, sizeof(move));
            test::Pump(60);
        }
        test::Pump(600);
        if (!IsWindowVisible(tip)) return L"";
        wchar_t text[256] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszText = text;
        if (!SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info))) return L"";
        return text;
    }
};

TEST_F(HintsTest, DisabledControlsShowTheirHintsTheLabelsOfHintlessPanelsDoNot) {
    Start();
    form->Show();
    form->CheckBoxHint.SetChecked(true);
    SendMessageW(form->Hints().Handle(), TTM_SETDELAYTIME, TTDT_INITIAL, 50);
    ASSERT_FALSE(form->Reloader().MinutesBox().Enabled());  // the reload worker is off
    ASSERT_FALSE(form->Reloader().IdleOnlySwitch().Enabled());
    ASSERT_TRUE(form->KeyPresser().IdleOnlySwitch().Enabled());

    EXPECT_EQ(HintShownOver(form->KeyPresser().IdleOnlySwitch()), L"UnTouched Only");
    EXPECT_EQ(HintShownOver(form->Reloader().MinutesBox()), L"1 .. 60");
    EXPECT_EQ(HintShownOver(form->Reloader().IdleOnlySwitch()), L"UnTouched Only");
    EXPECT_EQ(HintShownOver(form->Reloader().CountLabel()), L"");

    // Switched on, the control keeps its hint; with the switch off no hint shows.
    form->Reloader().OnSwitch().SetChecked(true);
    EXPECT_EQ(HintShownOver(form->Reloader().MinutesBox()), L"1 .. 60");
    form->CheckBoxHint.SetChecked(false);
    EXPECT_EQ(HintShownOver(form->Reloader().MinutesBox()), L"");
    EXPECT_TRUE(test::ShownErrors().empty());
}

}  // namespace
}  // namespace tw
