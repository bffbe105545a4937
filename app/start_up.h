#pragma once
// What must be in place before the main window is made, written once for the program, the window
// tests and the benchmarks: OLE on this thread, the application object with its title, icon and
// help file, and the embedded style catalogue.
#include <functional>
#include <string>

namespace tw {

struct StartUpOptions {
    // The program's icon on the application window; the tests and benchmarks go without it.
    bool programIcon = false;
    // Replaces the application's error display (the tests record what a user would see).
    std::function<void(const std::wstring& message)> errorDisplay;
};

// Hands the style manager the styles embedded in the program.
void UseEmbeddedStyles();

// Sets the application up for its lifetime and ends OLE when it goes. Throws tw::Error when the
// application window cannot be made.
class StartUp {
public:
    explicit StartUp(const StartUpOptions& options = {});
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

private:
    bool oleStarted_ = false;
};

}  // namespace tw
