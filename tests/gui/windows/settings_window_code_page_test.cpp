// On a Japanese Windows the settings file is kept in the system's code page, Shift-JIS, as
// earlier releases and the user's other programs read it.
#include <windows.h>

#include "gui/settings_window/settings_window_fixture.h"

namespace {

TEST_F(SettingsWindowTest, OkWritesAJapanesePathInShiftJis) {
    if (GetACP() != 932) GTEST_SKIP() << "the system's code page is not Japanese";
    frmIni::Get().PathBox(frmIni::kKifFWin)->setText(QString::fromUtf8("C:\\棋譜\\KifuW.exe"));
    frmIni::Get().cmdOK_Click();
    const std::string bytes = folder.ReadFile("Quillmere.ini");
    EXPECT_NE(bytes.find("KifFWin=C:\\\x8a\xfb\x95\x88\\KifuW.exe\r\n"), std::string::npos)
        << bytes;
    EXPECT_EQ(frmIni::Get().KifFWinPath(), "C:\\棋譜\\KifuW.exe");
}

}  // namespace
