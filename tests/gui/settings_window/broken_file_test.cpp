// The settings window over a settings file that is damaged or locked: it loads what can be
// read, and "OK" changes only the lines of the program's own keys or says that it could not.
#include <sys/stat.h>

#include <cstdio>

#include <QTest>

#include "settings_window_fixture.h"

namespace {

using BrokenFile = SettingsWindowTest;

TEST_F(BrokenFile, LoadsTheFirstSectionAndOkKeepsEveryOtherByte) {
    if (modConst::kSep != "/") {
        GTEST_SKIP() << "the system's profile functions keep the rest of the file their own way "
                        "(docs/PROFILE-DIFFERENCES.md)";
    }
    static const char kJunk[] = "\x00\x01\xff\xfe garbage = [not a section\r\x80\n";
    static const char kTail[] = "\n\x1b[0m\x00 no line ending";
    const std::string junk(kJunk, sizeof kJunk - 1);
    const std::string tail(kTail, sizeof kTail - 1);
    folder.WriteFile("Quillmere.ini", junk + "KifFWin=/before/any/section\n" + "[exepath]\n" +
                                          "kiffwin = \"/opt/kifu/KifuW.exe\"\n" +
                                          "UWSC=/opt/uwsc/UWSC.exe\n" + "; comment\n" + "\n" +
                                          "[ExePath]\n" + "KShogi=/second/section/is/not/read\n" +
                                          tail);

    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"/opt/kifu/KifuW.exe", "", "/opt/uwsc/UWSC.exe", ""}));
    ShowModal([](frmIni&) {
        SetBoxTexts({"/new/KifuW.exe", "/new/K-Shogi.exe", "", "/new/TeraPad.exe"});
        QTest::mouseClick(Button("cmdOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(world.messages.empty());
    EXPECT_TRUE(folder.ReadFile("Quillmere.ini") ==
                junk + "KifFWin=/before/any/section\n" + "[exepath]\n" +
                    "kiffwin =/new/KifuW.exe\n" + "UWSC=\n" + "; comment\n" +
                    "KShogi=/new/K-Shogi.exe\n" + "Terapad=/new/TeraPad.exe\n" + "\n" +
                    "[ExePath]\n" + "KShogi=/second/section/is/not/read\n" + tail);
}

// A stored path that is not valid UTF-8 shows with U+FFFD, but its own bytes go to the command
// line and back to the file; a path typed over it is taken as typed.
TEST_F(BrokenFile, StoredPathsInAnyBytesAreKeptFromTheFileToTheCommandLineAndBack) {
    if (modConst::kSep != "/") GTEST_SKIP() << "only POSIX names a file in bytes that are not text";
    const std::string kifuw = folder.WriteFile("tools/Kifu\xff\xfe.exe", "MZ");
    const std::string editor =
        "/opt/\xe9"
        "diteur/TeraPad";
    WriteSettings(kifuw, "", "/opt/uwsc", editor);
    const std::string before = folder.ReadFile("Quillmere.ini");

    EXPECT_EQ(BoxTexts()[frmIni::kKifFWin], folder.Join("tools/Kifu\uFFFD\uFFFD.exe"));
    EXPECT_EQ(frmIni::Get().KifFWinPath(), kifuw);
    EXPECT_EQ(frmIni::Get().TerapadPath(), editor);
    Button("cmdRunExe_0")->click();
    EXPECT_EQ(world.commandLines, std::vector<std::string>{kifuw});
    EXPECT_TRUE(world.messages.empty());

    frmIni::Get().cmdOK_Click();
    EXPECT_TRUE(folder.ReadFile("Quillmere.ini") == before);

    frmIni::Get().PathBox(frmIni::kTerapad)->setText("/opt/typed/TeraPad");
    EXPECT_EQ(frmIni::Get().TerapadPath(), "/opt/typed/TeraPad");
}

TEST_F(BrokenFile, AReadOnlyFileIsReportedOnceAndKept) {
    WriteSettings("/a", "/b", "/c", "/d");
    const std::string path = folder.Join("Quillmere.ini");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    // The superuser writes into read-only files, and so does Wine run by the superuser.
    if (std::FILE* probe = std::fopen(path.c_str(), "r+")) {
        std::fclose(probe);
        GTEST_SKIP() << "a read-only file can be written here";
    }
    const std::string before = folder.ReadFile("Quillmere.ini");
    frmIni::Get().PathBox(frmIni::kUWSC)->setText("/new/UWSC.exe");
    frmIni::Get().cmdOK_Click();
    EXPECT_EQ(world.messages,
              std::vector<std::string>{S(modConst::kMsgSettingsNotSaved) + "\r\n  " + path});
    EXPECT_EQ(folder.ReadFile("Quillmere.ini"), before);
    EXPECT_EQ(frmIni::Get().UWSCPath(), "/new/UWSC.exe");
}

}  // namespace
