// Modal boxes: while one is open every other window of the program is disabled and takes no
// close request, no click on the tray icon; afterwards exactly those windows come back.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "fakes.h"
#include "open_box.h"
#include "pump.h"
#include "platform/application.h"
#include "platform/form.h"
#include "platform/modal.h"
#include "platform/tray_icon.h"

namespace tw::ui {
namespace {

class ModalTest : public testing::Test {
protected:
    Application& app = Application::Instance();
    Form form{200, 100, L"Meiryo UI", 11};
    Form other{200, 100, L"Meiryo UI", 11};  // disabled before the box: stays so
    TrayIcon tray;
    int closeQueries = 0;
    int dblClicks = 0;

    void SetUp() override {
        test::ShownErrors().clear();
        app.SetMainForm(&form);
        form.OnCloseQuery = [this](Object*, bool& canClose) {
            ++closeQueries;
            canClose = false;  // the window stays for the next request
        };
        tray.OnDblClick = [this](Object*) { ++dblClicks; };
        EnableWindow(other.Handle(), FALSE);
        form.Show();
    }
    void TearDown() override {
        app.SetMainForm(nullptr);
        EXPECT_TRUE(test::ShownErrors().empty());
    }
    // The tray icon's double click as the notification area posts it.
    void TrayDoubleClick() { SendMessageW(tray.Handle(), WM_APP + 1, 1, WM_LBUTTONDBLCLK); }
};

TEST_F(ModalTest, AMessageBoxDisablesEveryWindowOfTheProgramAndTheyTakeNoCloseOrClick) {
    bool checked = false;
    std::function<bool(HWND)> step = [&](HWND box) {
        EXPECT_TRUE(IsWindowEnabled(box));
        EXPECT_FALSE(IsWindowEnabled(app.Handle()));
        EXPECT_FALSE(IsWindowEnabled(tray.Handle()));
        EXPECT_FALSE(IsWindowEnabled(form.Handle()));
        EXPECT_FALSE(IsWindowEnabled(other.Handle()));
        EXPECT_TRUE(ModalScope::Active());
        // The task bar's "close window" and the tray icon reach the program while it waits.
        SendMessageW(app.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        SendMessageW(app.Handle(), WM_CLOSE, 0, 0);
        SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
        TrayDoubleClick();
        checked = true;
        PostMessageW(box, WM_COMMAND, IDNO, 0);
        return true;
    };
    int answer = test::WhileBoxOpen(
        step, [] { return ShowMessageBox(L"終了してもよいですか？", L"カタコト号", MB_YESNO | MB_ICONQUESTION); });

    EXPECT_TRUE(checked);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(closeQueries, 0);
    EXPECT_EQ(dblClicks, 0);
    EXPECT_FALSE(form.Closed());
    EXPECT_FALSE(ModalScope::Active());
    EXPECT_TRUE(IsWindowEnabled(app.Handle()));
    EXPECT_TRUE(IsWindowEnabled(tray.Handle()));
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_FALSE(IsWindowEnabled(other.Handle()));

    // Without a box the same requests work.
    TrayDoubleClick();
    EXPECT_EQ(dblClicks, 1);
    SendMessageW(app.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closeQueries, 1);
}

TEST_F(ModalTest, AClickOnTheTrayIconWhileABoxIsOpenBringsTheBoxToTheFront) {
    int brought = 0;
    other.Show();
    std::function<bool(HWND)> step = [&](HWND box) {
        // A single click, a double click and a right click, each with the box behind another
        // window (one the box does not belong to; on a desktop, another program's).
        for (UINT click : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP}) {
            SetForegroundWindow(other.Handle());
            test::Pump(100);
            if (GetForegroundWindow() == box) {
                ADD_FAILURE() << "the box could not be put behind another window";
                break;
            }
            SendMessageW(tray.Handle(), WM_APP + 1, 1, click);
            EXPECT_EQ(GetForegroundWindow(), box) << "after the mouse message " << click;
            brought += GetForegroundWindow() == box;
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
    test::WhileBoxOpen(step, [] { return ShowMessageBox(L"キー押下に失敗しました", L"カタコト号", MB_OK); });
    other.Hide();
    EXPECT_EQ(brought, 3);
    EXPECT_EQ(dblClicks, 0);  // the icon's own action waits until the box is answered
    EXPECT_EQ(ModalScope::Box(), nullptr);
}

TEST_F(ModalTest, AFormShownModallyDisablesTheProgramUntilItEndsAndThenGoes) {
    // A box of the layer's own, ended by its code or by a close request that its close query
    // refuses once.
    struct Case {
        const char* how;
        std::function<void(Form& box)> end;
        int result;
        int queries;
    };
    const Case cases[] = {
        {"EndModal", [](Form& box) { box.EndModal(IDYES); }, IDYES, 0},
        {"close", [](Form& box) { PostMessageW(box.Handle(), WM_CLOSE, 0, 0); }, IDCANCEL, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        Form box(form.Handle(), {100, 100});
        int queries = 0;
        box.OnCloseQuery = [&](Object*, bool& canClose) { canClose = ++queries > 1; };
        static std::function<void()>* step = nullptr;
        int ticks = 0;
        std::function<void()> check = [&] {
            if (++ticks == 1) {
                EXPECT_TRUE(IsWindowVisible(box.Handle()));
                EXPECT_TRUE(IsWindowEnabled(box.Handle()));
                EXPECT_FALSE(IsWindowEnabled(form.Handle()));
                EXPECT_FALSE(IsWindowEnabled(app.Handle()));
                EXPECT_FALSE(IsWindowEnabled(tray.Handle()));
                EXPECT_EQ(ModalScope::Box(), box.Handle());
                c.end(box);
                if (c.queries) PostMessageW(box.Handle(), WM_CLOSE, 0, 0);  // after the refused one
            } else if (ticks > 200) {
                ADD_FAILURE() << "the box was still open after ten seconds";
                box.EndModal(IDABORT);
            }
        };
        step = &check;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            if (step) (*step)();
        });
        const HWND window = box.Handle();
        EXPECT_EQ(box.ShowModal(), c.result);
        KillTimer(nullptr, timer);
        step = nullptr;
        EXPECT_EQ(queries, c.queries);
        EXPECT_TRUE(box.Closed());
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(IsWindowEnabled(form.Handle()));
        EXPECT_TRUE(IsWindowEnabled(app.Handle()));
        EXPECT_FALSE(IsWindowEnabled(other.Handle()));
        EXPECT_FALSE(ModalScope::Active());
    }
}

TEST_F(ModalTest, TheWindowsComeBackWhenTheScopeEndsByAnException) {
    EXPECT_THROW(
        {
            ModalScope modal;
            EXPECT_FALSE(IsWindowEnabled(form.Handle()));
            {
                ModalScope inner;  // a nested box leaves what the outer one disabled as it is
            }
            EXPECT_FALSE(IsWindowEnabled(form.Handle()));
            EXPECT_FALSE(IsWindowEnabled(app.Handle()));
            throw std::runtime_error("handler failed");
        },
        std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(IsWindowEnabled(app.Handle()));
    EXPECT_TRUE(IsWindowEnabled(tray.Handle()));
    EXPECT_FALSE(IsWindowEnabled(other.Handle()));
}

}  // namespace
}  // namespace tw::ui
