// Runs the Windows tests with the application object set up as the program sets it up, except
// that the default error display records instead of opening a box.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "app/tapwhile_form.h"
#include "appearance/style_resources_win.h"
#include "platform/style_manager.h"
#include "fakes.h"

namespace tw::test {
std::vector<std::wstring>& ShownErrors() {
    static std::vector<std::wstring> errors;
    return errors;
}

void UseEmbeddedStyles() {
    ui::StyleManager::Instance().SetCatalogue(
        appearance::EmbeddedStyleNames(), [](std::wstring_view name) { return appearance::LoadEmbeddedStyle(name); });
}
}  // namespace tw::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    tw::ui::Application& app = tw::ui::Application::Instance();
    app.Initialize(GetModuleHandleW(nullptr));
    app.SetTitle(tw::AppTitle);
    app.errorDisplay = [](const std::wstring& message) { tw::test::ShownErrors().push_back(message); };
    tw::test::UseEmbeddedStyles();
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
