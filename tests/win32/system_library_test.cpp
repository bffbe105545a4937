// Functions of system libraries that the program loads when first needed rather than at start.
#include <windows.h>
#include <dwmapi.h>

#include <gtest/gtest.h>

#include "platform/system_library.h"

namespace tw::ui {
namespace {

TEST(SystemLibrary, FindsTheCaptionColourCallAndNothingThatIsNotThere) {
    auto setAttribute = SystemFunction<decltype(&DwmSetWindowAttribute)>(L"dwmapi.dll", "DwmSetWindowAttribute");
    ASSERT_NE(setAttribute, nullptr);
    // The one the import library names.
    EXPECT_EQ(reinterpret_cast<void*>(setAttribute),
              reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"dwmapi.dll"), "DwmSetWindowAttribute")));
    EXPECT_EQ((SystemFunction<void (*)()>(L"dwmapi.dll", "NoSuchFunction")), nullptr);
    EXPECT_EQ((SystemFunction<void (*)()>(L"no-such-library.dll", "DwmSetWindowAttribute")), nullptr);
}

}  // namespace
}  // namespace tw::ui
