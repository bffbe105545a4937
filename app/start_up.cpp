#include "app/start_up.h"

#include <windows.h>
#include <ole2.h>

#include "app/resource_ids.h"
#include "app/tapwhile_form.h"
#include "appearance/style_resources_win.h"
#include "platform/application.h"
#include "platform/style_manager.h"

namespace tw {

void UseEmbeddedStyles() {
    ui::StyleManager::Instance().SetCatalogue(
        appearance::EmbeddedStyleNames(), [](std::wstring_view name) { return appearance::LoadEmbeddedStyle(name); });
}

namespace {

void SetUp(const StartUpOptions& options) {
    ui::Application& app = ui::Application::Instance();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = nullptr;
    if (options.programIcon) {
        icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
        app.SetIcon(icon);  // the window class takes it
    }
    app.Initialize(instance);
    if (icon) app.SetIcon(icon);  // and so does the window
    app.SetTitle(AppTitle);
    if (options.errorDisplay) app.errorDisplay = options.errorDisplay;
    UseEmbeddedStyles();
}

}  // namespace

StartUp::StartUp(const StartUpOptions& options) {
    // The shell calls (links, property sheets) need a single-threaded apartment on this thread.
    oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    try {
        SetUp(options);
    } catch (...) {
        if (oleStarted_) OleUninitialize();
        throw;
    }
}

StartUp::~StartUp() {
    if (oleStarted_) OleUninitialize();
}

}  // namespace tw
