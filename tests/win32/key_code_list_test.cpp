// The key code list holds code i in row i under every locale (ctest runs this again under a
// Danish locale, whose collation puts "AA" after "FF"), and a stored code comes back as stored.
#include "engine/key_code_table.h"
#include "form_fixture.h"

namespace tw {
namespace {

class KeyCodeListTest : public test::FormFixture {};

TEST_F(KeyCodeListTest, RowsAreInCodeOrderAndAStoredCodeIsSelectedAndSavedAsItWas) {
    for (const char* stored : {"AB", "AA", "74", "9F"}) {
        SCOPED_TRACE(stored);
        WriteBytes(UserIni(), std::string("[OPTION]\r\nSendKeyCode=") + stored + "\r\n");
        Start();
        ASSERT_EQ(form->KeyCodeList.Count(), 256);
        for (int code = 0; code < 256; ++code) {
            ASSERT_EQ(form->KeyCodeList.Item(code), std::wstring(KeyCodeRows()[static_cast<size_t>(code)]));
        }
        const int code = std::stoi(stored, nullptr, 16);
        EXPECT_EQ(form->KeyCodeList.ItemIndex(), code);
        EXPECT_TRUE(form->KeyCodeList.CheckedAt(code));
        EXPECT_EQ(form->SelectedKeyCode(), code);
        form->Close();
        ASSERT_TRUE(form->Closed());
        EXPECT_NE(ReadBytes(UserIni()).value().find(std::string("\r\nSendKeyCode=") + stored + "\r\n"),
                  std::string::npos);
        EXPECT_TRUE(test::ShownErrors().empty());
        form.reset();
    }
}

}  // namespace
}  // namespace tw
