// Minimising to the task bar or the notification area, restoring, and the window's showing.
#include "app/tapwhile_form.h"

namespace tw {

void TTapwhileForm::ApplicationMinimize(ui::Object*) {
    if (!CheckBoxTrayIcon1.Checked()) return;
    // The task-bar button goes once the icon is in the notification area (TrayIcon1Shown): a
    // notification area that is not ready yet leaves the user the button as the way back.
    TrayIcon1.SetVisible(true);
}

void TTapwhileForm::TrayIcon1Shown(ui::Object*) {
    services_.input.ShowWindow(ui::Application::Instance().Handle(), SW_HIDE);
}

void TTapwhileForm::ApplicationRestore(ui::Object*) {
    TrayIcon1.SetVisible(false);
    services_.input.ShowWindow(ui::Application::Instance().Handle(), SW_SHOW);
    PageControl1Change(this);
}

void TTapwhileForm::TrayIcon1DblClick(ui::Object*) {
    ApplicationRestore(this);
    ui::Application& app = ui::Application::Instance();
    app.Restore();
    app.BringToFront();
}

void TTapwhileForm::CMShowingChanged() {
    if (!Showing()) return;
    EnableWindow(Handle(), TRUE);
    Repaint();
    InputServices& input = services_.input;
    const KeyStroke altDown[] = {{VK_MENU, 0}};
    const KeyStroke altUp[] = {{VK_MENU, KEYEVENTF_KEYUP}};
    input.SendKeys(altDown);
    input.LockSetForegroundWindow(LSFW_UNLOCK);
    input.SetForegroundWindow(Handle());
    input.SendKeys(altUp);
    PageControl1Change(this);
}

}  // namespace tw
