// Minimising to the task bar or the notification area, restoring, and the window's showing.
#include "app/tapwhile_form.h"

namespace tw {

void TTapwhileForm::ApplicationMinimize(ui::Object*) {
    if (!CheckBoxTrayIcon.Checked()) return;
    // The task-bar button goes once the icon is in the notification area (TrayShown): a
    // notification area that is not ready yet leaves the user the button as the way back.
    Tray.SetVisible(true);
}

void TTapwhileForm::TrayShown(ui::Object*) {
    services_.input.ShowWindow(ui::Application::Instance().Handle(), SW_HIDE);
}

void TTapwhileForm::ApplicationRestore(ui::Object*) {
    Tray.SetVisible(false);
    services_.input.ShowWindow(ui::Application::Instance().Handle(), SW_SHOW);
    PagesChange(this);
}

void TTapwhileForm::TrayDblClick(ui::Object*) {
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
    PagesChange(this);
}

}  // namespace tw
