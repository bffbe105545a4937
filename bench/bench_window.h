#pragma once
// The main window as the program sets it up (application object, embedded styles, the real
// operating-system services), for the benchmarks that measure or picture it.
#include <windows.h>
#include <ole2.h>

#include <string_view>

#include "app/tapwhile_form.h"
#include "appearance/style_resources_win.h"
#include "platform/clock.h"
#include "platform/input_services.h"
#include "platform/style_manager.h"
#include "platform/system_services.h"

namespace tw::bench {

// What must be in place before the window is made: OLE, the application object and its title,
// and the style catalogue. True, so that it can initialise a member ahead of the window.
inline bool StartApplication() {
    OleInitialize(nullptr);
    ui::Application& app = ui::Application::Instance();
    app.Initialize(GetModuleHandleW(nullptr));
    app.SetTitle(AppTitle);
    ui::StyleManager::Instance().SetCatalogue(
        appearance::EmbeddedStyleNames(), [](std::wstring_view name) { return appearance::LoadEmbeddedStyle(name); });
    return true;
}

struct MainWindow {
    bool started = StartApplication();
    WinInputServices input;
    WinClock clock;
    WinDialogs dialogs;
    WinShell shell;
    WinPaths paths;
    TTapwhileForm form{{input, clock, dialogs, shell, paths, FormatSettings::Japanese()}};
};

}  // namespace tw::bench
