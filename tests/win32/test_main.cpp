// Runs the Windows tests with the application set up by the program's own start-up, except that
// the error display records instead of opening a box. The control layer turns a
// handler's exception into that display, so a test fails when anything was recorded that the
// test did not take with TakeShownErrors.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/start_up.h"
#include "fakes.h"

namespace tw::test {
std::vector<std::wstring>& ShownErrors() {
    static std::vector<std::wstring> errors;
    return errors;
}

std::vector<std::wstring> TakeShownErrors() {
    std::vector<std::wstring> taken;
    taken.swap(ShownErrors());
    return taken;
}

namespace {

std::string Utf8(const std::wstring& text) {
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// Fails the test that leaves an error display behind. Its end is reported to this listener
// before the printer, so the failure shows under the test's own name.
class UnexpectedErrors : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { ShownErrors().clear(); }
    void OnTestEnd(const testing::TestInfo&) override {
        for (const std::wstring& error : TakeShownErrors()) {
            ADD_FAILURE() << "unexpected error display: " << Utf8(error);
        }
    }
};

}  // namespace
}  // namespace tw::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new tw::test::UnexpectedErrors);
    tw::StartUp startUp(
        {.errorDisplay = [](const std::wstring& message) { tw::test::ShownErrors().push_back(message); }});
    return RUN_ALL_TESTS();
}
