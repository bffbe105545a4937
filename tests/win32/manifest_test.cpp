// The manifest that the program and this test program share: it claims only the systems the
// program runs on. The program calls per-monitor DPI functions that Windows 10 version 1607
// brought, so Windows 7, 8 and 8.1 must not be listed as supported.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

std::string OwnManifest() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(nullptr, found)) : std::string();
}

size_t Occurrences(const std::string& text, const std::string& word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++count;
    return count;
}

TEST(Manifest, ListsWindows10AsTheOnlySupportedSystem) {
    const std::string manifest = OwnManifest();
    ASSERT_FALSE(manifest.empty());
    EXPECT_EQ(Occurrences(manifest, "<supportedOS "), 1u);
    EXPECT_EQ(Occurrences(manifest, "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), 1u);  // Windows 10 and 11
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
}

}  // namespace
}  // namespace tw
