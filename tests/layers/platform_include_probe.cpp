// Compiled with the control layer's include path and settings, each include below must fail to
// resolve: the layer sits below the application and the subsystems.
#if defined(PROBE_APP)
#include "app/tapwhile_form.h"
#elif defined(PROBE_SHELL)
#include "shell/shortcut_win.h"
#elif defined(PROBE_SETTINGS)
#include "settings/settings_store.h"
#endif
