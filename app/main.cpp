// Program entry: the application object, its title and help file, the main window, the loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/resource_ids.h"
#include "app/tapwhile_form.h"
#include "appearance/style_resources_win.h"
#include "platform/locale_format.h"
#include "platform/modal.h"
#include "platform/style_manager.h"
#include "platform/text.h"
#include "runtime/error.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The shell calls (links, property sheets) need a single-threaded apartment on this thread.
    HRESULT ole = OleInitialize(nullptr);
    tw::ui::Application& app = tw::ui::Application::Instance();
    int exitCode = 0;
    try {
        auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
        app.SetIcon(icon);
        app.Initialize(instance);
        app.SetIcon(icon);
        app.SetTitle(tw::AppTitle);
        tw::ui::StyleManager::Instance().SetCatalogue(
            tw::appearance::EmbeddedStyleNames(),
            [](std::wstring_view name) { return tw::appearance::LoadEmbeddedStyle(name); });
        app.helpFile = L"Tapwhile.chm";
        tw::WinInputServices input;
        tw::WinClock clock;
        tw::WinDialogs dialogs;
        tw::WinShell shell;
        tw::WinPaths paths;
        tw::TTapwhileForm TapwhileForm({input, clock, dialogs, shell, paths, tw::UserLocaleFormatSettings()});
        app.Run(TapwhileForm);
    } catch (const tw::Error& error) {
        tw::ui::ShowMessageBox(tw::ErrorDisplayText(error.Message()), tw::AppTitle, MB_OK | MB_ICONSTOP);
        exitCode = 1;
    } catch (const std::exception& error) {
        tw::ui::ShowMessageBox(tw::ErrorDisplayText(tw::Utf8ToWide(error.what())), tw::AppTitle, MB_OK | MB_ICONSTOP);
        exitCode = 1;
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return exitCode;
}
