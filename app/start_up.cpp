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
    if (options.programIcon) {
        auto load = [instance](int width, int height) {
            return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 GetSystemMetrics(width), GetSystemMetrics(height), 0));
        };
        // The windows take it from their classes.
        app.SetIcons(load(SM_CXICON, SM_CYICON), load(SM_CXSMICON, SM_CYSMICON));
    }
    app.Initialize(instance);
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
