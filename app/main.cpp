// Program entry: the start-up, the main window, the loop.
#include <windows.h>

#include "app/start_up.h"
#include "app/tapwhile_form.h"
#include "platform/locale_format.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "runtime/error.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int exitCode = 0;
    try {
        tw::StartUpOptions options;
        options.programIcon = true;
        tw::StartUp startUp(options);
        tw::WinInputServices input;
        tw::WinClock clock;
        tw::WinDialogs dialogs;
        tw::WinShell shell;
        tw::WinPaths paths;
        tw::TTapwhileForm TapwhileForm({input, clock, dialogs, shell, paths, tw::UserLocaleFormatSettings()});
        tw::ui::Application::Instance().Run(TapwhileForm);
    } catch (const tw::Error& error) {
        tw::ui::ShowMessageBox(tw::ErrorDisplayText(error.Message()), tw::AppTitle, MB_OK | MB_ICONSTOP);
        exitCode = 1;
    } catch (const std::exception& error) {
        tw::ui::ShowMessageBox(tw::ErrorDisplayText(tw::Utf8ToWide(error.what())), tw::AppTitle, MB_OK | MB_ICONSTOP);
        exitCode = 1;
    }
    return exitCode;
}
