#pragma once
// The main window as the program sets it up (its start-up and the real operating-system
// services), for the benchmarks that measure or picture it.
#include <windows.h>

#include "app/start_up.h"
#include "app/tapwhile_form.h"
#include "platform/clock.h"
#include "platform/input_services.h"
#include "platform/system_services.h"

namespace tw::bench {

struct MainWindow {
    StartUp startUp;
    WinInputServices input;
    WinClock clock;
    WinDialogs dialogs;
    WinShell shell;
    WinPaths paths;
    TTapwhileForm form{{input, clock, dialogs, shell, paths, FormatSettings::Japanese()}};
};

}  // namespace tw::bench
