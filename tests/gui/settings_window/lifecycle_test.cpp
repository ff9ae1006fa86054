// Loading, "OK", closing and unloading of the settings window, and what reaches the file.
#include <sys/stat.h>

#include <cstdio>

#include <QTest>
#include <QWindow>

#include "settings_window_fixture.h"

namespace {

using Lifecycle = SettingsWindowTest;

const std::vector<std::string> kFilePaths = {"/opt/kifu/KifuW.exe", "/opt/k shogi/K-Shogi64.exe",
                                             "/opt/uwsc/UWSC.exe", "/opt/tera/TeraPad.exe"};
const std::vector<std::string> kTypedPaths = {"/a/KifuW.exe", "/b/K-Shogi.exe", "",
                                              "/d/TeraPad.exe"};

TEST_F(Lifecycle, FirstAccessLoadsTheFileIntoAHiddenWindow) {
    WriteSettings(kFilePaths[0], kFilePaths[1], kFilePaths[2], kFilePaths[3]);
    EXPECT_FALSE(frmIni::IsLoaded());

    frmIni& window = frmIni::Get();
    EXPECT_TRUE(frmIni::IsLoaded());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(BoxTexts(), kFilePaths);
    EXPECT_EQ(window.KShogiPath(), kFilePaths[1]);
    EXPECT_EQ(window.TerapadPath(), kFilePaths[3]);
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(Lifecycle, OkSavesAllFourAndHidesKeepingTheBoxesWithoutRereading) {
    WriteSettings(kFilePaths[0], kFilePaths[1], kFilePaths[2], kFilePaths[3]);
    frmIni* loaded = &frmIni::Get();
    ShowModal([](frmIni& window) {
        SetBoxTexts(kTypedPaths);
        QTest::mouseClick(Button("cmdOK"), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    });
    ASSERT_TRUE(frmIni::IsLoaded());
    EXPECT_EQ(&frmIni::Get(), loaded);
    EXPECT_FALSE(loaded->isVisible());
    EXPECT_EQ(Stored(modConst::kKeyKifFWin), kTypedPaths[0]);
    EXPECT_EQ(Stored(modConst::kKeyKShogi), kTypedPaths[1]);
    EXPECT_EQ(Stored(modConst::kKeyUWSC, "absent"), "");
    EXPECT_EQ(Stored(modConst::kKeyTerapad), kTypedPaths[3]);

    // Changed behind the window's back: the window goes on with what it holds.
    WriteSettings("x", "x", "x", "x");
    std::vector<std::string> shown;
    ShowModal([&shown](frmIni&) {
        shown = BoxTexts();
        QTest::mouseClick(Button("cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(shown, kTypedPaths);
    EXPECT_EQ(frmIni::Get().UWSCPath(), "");
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(Lifecycle, CloseCommandUnloadsWithoutSavingAndNextAccessRereads) {
    WriteSettings(kFilePaths[0], kFilePaths[1], kFilePaths[2], kFilePaths[3]);
    const std::string fileBefore = folder.ReadFile("Quillmere.ini");
    QPointer<frmIni> closed = &frmIni::Get();
    ShowModal([](frmIni& window) {
        SetBoxTexts(kTypedPaths);
        window.windowHandle()->close();
    });
    EXPECT_FALSE(frmIni::IsLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(folder.ReadFile("Quillmere.ini"), fileBefore);
    EXPECT_EQ(BoxTexts(), kFilePaths);

    // A hidden window closed from code is unloaded just the same.
    frmIni::Get().PathBox(frmIni::kUWSC)->setText("edited");
    frmIni::Get().close();
    EXPECT_FALSE(frmIni::IsLoaded());
    EXPECT_EQ(frmIni::Get().UWSCPath(), kFilePaths[2]);
}

TEST_F(Lifecycle, OkWithoutFileCreatesTheSectionWithFourEmptyKeys) {
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(4, ""));
    frmIni::Get().cmdOK_Click();
    const std::string text = folder.ReadFile("Quillmere.ini");
    EXPECT_NE(text.find("[ExePath]"), std::string::npos);
    for (std::string_view key :
         {modConst::kKeyKifFWin, modConst::kKeyKShogi, modConst::kKeyUWSC, modConst::kKeyTerapad}) {
        EXPECT_EQ(Stored(key, "absent"), "") << key;
    }
}

TEST_F(Lifecycle, LongAndNonJapanesePathsComeBackWhole) {
    std::string longPath = "/ツール/";
    while (longPath.size() < 300) longPath += "とても長いフォルダ名 𠮷野家 café 😀/";
    longPath += "KifuW.exe";
    frmIni::Get().PathBox(frmIni::kKifFWin)->setText(QString::fromStdString(longPath));
    frmIni::Get().cmdOK_Click();
    frmIni::Unload();
    EXPECT_EQ(frmIni::Get().KifFWinPath(), longPath);
    EXPECT_EQ(folder.ReadFile("Quillmere.ini").find('?'), std::string::npos);
}

TEST_F(Lifecycle, FailedWriteIsReportedOnceAndTheTypedPathsStayInUse) {
    folder.MakeFolder("Quillmere.ini");
    ShowModal([](frmIni&) {
        SetBoxTexts(kTypedPaths);
        QTest::mouseClick(Button("cmdOK"), Qt::LeftButton);
    });
    ASSERT_EQ(world.messages.size(), 1u);
    EXPECT_EQ(world.messages[0],
              S(modConst::kMsgSettingsNotSaved) + "\r\n  " + folder.Join("Quillmere.ini"));
    ASSERT_TRUE(frmIni::IsLoaded());
    EXPECT_FALSE(frmIni::Get().isVisible());
    EXPECT_EQ(BoxTexts(), kTypedPaths);
}

TEST_F(Lifecycle, ReadOnlyProgramFolderIsReportedOnce) {
    ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
    // The superuser writes into read-only folders, and so does anyone on Windows.
    if (std::FILE* probe = std::fopen(folder.Join("probe").c_str(), "w")) {
        std::fclose(probe);
        GTEST_SKIP() << "a read-only folder can be written here";
    }
    frmIni::Get().cmdOK_Click();
    EXPECT_EQ(world.messages.size(), 1u);
    EXPECT_FALSE(folder.Exists("Quillmere.ini"));
}

}  // namespace
