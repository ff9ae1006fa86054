#include <QInputMethodEvent>
#include <QLineEdit>
#include <QWindow>
#include <chrono>
#include <functional>
#include <future>
#include <stdexcept>

#include "main_window_fixture.h"

// The three script buttons and the tool buttons, with the outside programs' paths set in the
// settings window's boxes and every start recorded.
class AutomationTest : public MainWindowTest {
  protected:
    // Called on the waiting thread: runs `act` on the window's own thread, which must answer
    // while the handler waits; true when it did.
    bool OnTheWindowThreadMeanwhile(const std::function<void()>& act) {
        std::promise<void> answered;
        QMetaObject::invokeMethod(
            window.get(),
            [&] {
                act();
                answered.set_value();
            },
            Qt::QueuedConnection);
        return answered.get_future().wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    }
    QPoint InWindow(const char* control) const {
        return Control<QWidget>(control)->mapTo(window.get(), QPoint(5, 5));
    }
};

TEST_F(AutomationTest, CreateStartsTheSaveScriptWaitsAndSelectsTheLastRecord) {
    temp.WriteFile("book/Book A/p001.kif", "x");
    temp.WriteFile("book/Book A/p005.kif", "x");
    Start();
    SetTools("C:/Program Files/UWSC/UWSC.exe", "");
    PageNumber()->setText("003");
    // The record the script makes is not there yet when the list is read again; the last
    // entry in sorted order is selected whatever the folder holds.
    Click("cmdUWSC_0");
    EXPECT_EQ(world.commandLines,
              std::vector<std::string>{"C:/Program Files/UWSC/UWSC.exe " + Prog("uwsSaveKif.uws") +
                                       " " + Book("Book A") + kSep + "p003"});
    // The runner's own path is the program, so no shorter prefix of it is run in its place.
    EXPECT_EQ(world.programs, std::vector<std::string>{"C:/Program Files/UWSC/UWSC.exe"});
    EXPECT_EQ(world.sleeps, std::vector<int>{2000});
    EXPECT_EQ(SelectedProblem(), "p005.kif");
    EXPECT_TRUE(world.sounds.empty());
}

// The script is started, then the program waits, then lists the book again, and only then
// selects the last record: a record the script writes during the wait is listed and selected,
// and its selection shows its notes.
TEST_F(AutomationTest, CreateStartsThenWaitsThenListsThenSelectsTheLast) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    SetTools("uwsc", "");
    world.duringSleep = [this] {
        EXPECT_EQ(Entries(Problems()), QStringList{"p001.kif"});
        temp.WriteFile("book/A/p009.kif", "made by the script");
        temp.WriteFile("book/A/p009.kif.txt", "notes");
    };
    PageNumber()->setText("009");
    Click("cmdUWSC_0");
    EXPECT_EQ(world.events,
              (std::vector<std::string>{
                  "start: uwsc " + Prog("uwsSaveKif.uws") + " " + Book("A/p009"), "sleep: 2000"}));
    EXPECT_EQ(Entries(Problems()), (QStringList{"p001.kif", "p009.kif"}));
    EXPECT_EQ(SelectedProblem(), "p009.kif");
    EXPECT_EQ(CompanionState(), "あり");
}

// The pause after "作成" and the chime after "開始" hold the handler, not the window: it goes on
// painting, and a click made meanwhile is kept and acted on once the handler is done.
TEST_F(AutomationTest, TheWindowPaintsDuringThePausesAndActsOnClicksAfterThem) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    window->show();
    SetTools("uwsc", "");
    const QPoint plusOne = InWindow("cmdInc");
    bool windowRanMeanwhile = false;
    QString pageMeanwhile;
    const auto clickPlusOneMeanwhile = [&] {
        windowRanMeanwhile = OnTheWindowThreadMeanwhile([&] {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, plusOne);
            pageMeanwhile = PageNumber()->text();
        });
    };
    world.duringSleep = clickPlusOneMeanwhile;
    PageNumber()->setText("009");
    Click("cmdUWSC_0");
    ASSERT_TRUE(windowRanMeanwhile);
    EXPECT_EQ(pageMeanwhile, "009");
    EXPECT_EQ(world.events.back(), "sleep: 2000");
    QCoreApplication::processEvents();
    EXPECT_EQ(PageNumber()->text(), "010");

    world.duringSound = clickPlusOneMeanwhile;
    windowRanMeanwhile = false;
    Click("cmdUWSC_1");
    ASSERT_TRUE(windowRanMeanwhile);
    EXPECT_EQ(pageMeanwhile, "010");
    QCoreApplication::processEvents();
    EXPECT_EQ(PageNumber()->text(), "011");
}

// Text that an input method commits while the chime plays goes to the focused box after it.
TEST_F(AutomationTest, TextFromAnInputMethodDuringTheChimeIsKeptForTheFocusedBox) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    window->show();
    SetTools("uwsc", "");
    PageNumber()->setText("01");
    PageNumber()->setFocus();
    QString pageMeanwhile;
    world.duringSound = [&] {
        ASSERT_TRUE(OnTheWindowThreadMeanwhile([&] {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("2"));
            QCoreApplication::sendEvent(PageNumber(), &commit);
            pageMeanwhile = PageNumber()->text();
        }));
    };
    Click("cmdUWSC_1");
    EXPECT_EQ(pageMeanwhile, "01");
    QCoreApplication::processEvents();
    EXPECT_EQ(PageNumber()->text(), "012");
}

// The chime is looked for before the wait: a folder that cannot be listed is said in a message
// on the window's thread, and the chime is still played from the system's folder.
TEST_F(AutomationTest, AChimeFolderThatCannotBeListedIsSaidBeforeTheWait) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    SetTools("uwsc", "");
    // A program folder whose name is too long to be listed, beside the book root as before.
    const std::string tooLong = temp.Join(std::string(300, 'x'));
    modFunc::OverrideProgramFolder(tooLong);
    Click("cmdUWSC_1");
    EXPECT_EQ(world.sounds.size(), 1u);
#ifndef _WIN32  // Windows finds no such folder, and says nothing
    ASSERT_EQ(world.messages.size(), 1u);
    EXPECT_NE(world.messages[0].find(tooLong + kSep + "start.wav"), std::string::npos);
#endif
}

// What fails while the handler waits is reported as any unexpected failure is, and the program
// goes on.
TEST_F(AutomationTest, AFailureWhileTheChimePlaysIsReportedAndTheWindowGoesOn) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    SetTools("uwsc", "");
    world.duringSound = [] { throw std::runtime_error("the sound device is gone"); };
    Click("cmdUWSC_1");
    EXPECT_EQ(world.messages, std::vector<std::string>{"the sound device is gone"});
    world.duringSound = nullptr;
    Click("cmdNext");
    EXPECT_EQ(world.messages.size(), 1u);
}

// An empty book folder on first use leaves no book selected; the record would be made in the
// book root, listed once and gone after a restart.
TEST_F(AutomationTest, CreateWithoutABookSaysSoAndStartsNothing) {
    temp.MakeFolder("book");
    Start();
    SetTools("uwsc", "");
    Click("cmdUWSC_0");
    EXPECT_EQ(world.events,
              std::vector<std::string>{"message: " + std::string(modConst::kMsgNoBookSelected)});
}

// The runner's path is read first, whatever the button and however far the click gets: the
// settings window is loaded even by a click that stops at its first test.
TEST_F(AutomationTest, EveryScriptButtonReadsTheRunnerPathFirst) {
    temp.WriteFile("prog/Quillmere.ini", "[ExePath]\nUWSC=uwsc\n");
    temp.MakeFolder("book/A");
    Start();
    PageNumber()->setText("1");
    for (const char* button : {"cmdUWSC_0", "cmdUWSC_1", "cmdUWSC_2"}) {
        frmIni::Unload();
        Click(button);
        EXPECT_TRUE(frmIni::IsLoaded()) << button;
    }
    EXPECT_EQ(world.messages.size(), 3u);
    EXPECT_TRUE(world.commandLines.empty());
}

TEST_F(AutomationTest, CreateRefusesABadPageNumberBeforeStartingAnything) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    SetTools("uwsc", "");
    for (const char* page : {"12", "1234", "01a"}) {
        PageNumber()->setText(page);
        Click("cmdUWSC_0");
    }
    EXPECT_EQ(world.messages,
              (std::vector<std::string>{std::string(modConst::kMsgPageNotThreeChars),
                                        std::string(modConst::kMsgPageNotThreeChars),
                                        std::string(modConst::kMsgPageNotDigits)}));
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_TRUE(world.sleeps.empty());
}

TEST_F(AutomationTest, CreateThatCannotStartTheRunnerSaysSoAndDoesNotWait) {
    temp.MakeFolder("book/A");
    Start();
    SetTools("", "");
    world.startSucceeds = false;
    PageNumber()->setText("007");
    Click("cmdUWSC_0");
    ASSERT_EQ(world.messages.size(), 1u);
    EXPECT_EQ(world.messages[0], std::string(modConst::kMsgCannotStart) + "\r\n  " + " " +
                                     Prog("uwsSaveKif.uws") + " " + Book("A") + kSep + "p007");
    EXPECT_EQ(world.warnings, std::vector<std::string>{"cannot start  " + Prog("uwsSaveKif.uws") +
                                                       " " + Book("A") + kSep + "p007: refused"});
    EXPECT_TRUE(world.sleeps.empty());
}

TEST_F(AutomationTest, CreateInAnEmptyBookLeavesNothingSelected) {
    temp.MakeFolder("book/A");
    Start();
    SetTools("uwsc", "");
    Click("cmdUWSC_0");
    EXPECT_EQ(world.commandLines.size(), 1u);
    EXPECT_EQ(Problems()->currentRow(), -1);
}

TEST_F(AutomationTest, StartHandsTheRecordOverShowsItsNameAndPlaysTheSound) {
    temp.WriteFile("book/My Books/p012.kif", "record");
    temp.WriteFile("prog/start.wav", "RIFF");
    Start();
    SetTools("/opt/uwsc dir/uwsc", "");
    Click("cmdUWSC_1");
    EXPECT_EQ(world.commandLines,
              std::vector<std::string>{"/opt/uwsc dir/uwsc " + Prog("uwsOpenStart.uws") + " " +
                                       Book("My Books/p012.kif")});
    EXPECT_EQ(Current()->text().toStdString(), "p012.kif");
    EXPECT_EQ(world.sounds, std::vector<std::string>{Prog("start.wav")});
    EXPECT_TRUE(world.sleeps.empty());
}

TEST_F(AutomationTest, StartOnAnEmptyRecordRemovesItAndNamesIt) {
    temp.WriteFile("book/A/p012.kif", "");
    Start();
    SetTools("uwsc", "");
    Click("cmdUWSC_1");
    EXPECT_EQ(world.messages,
              std::vector<std::string>{"次のファイルが見つかりません。\r\n" + Book("A/p012.kif")});
    EXPECT_FALSE(temp.Exists("book/A/p012.kif"));
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_TRUE(Current()->text().isEmpty());
}

// A runner that cannot be started is named, and nothing follows: no name shown, no sound.
TEST_F(AutomationTest, StartAndCompanionThatCannotStartTheRunnerSaySo) {
    temp.WriteFile("book/A/p012.kif", "record");
    temp.WriteFile("book/A/p012.kif.txt", "notes");
    temp.WriteFile("prog/start.wav", "RIFF");
    Start();
    SetTools("/no/uwsc", "editor");
    world.startSucceeds = false;
    Click("cmdUWSC_1");
    Click("cmdUWSC_2");
    const std::string start = "/no/uwsc " + Prog("uwsOpenStart.uws") + " " + Book("A/p012.kif");
    const std::string edit =
        "/no/uwsc " + Prog("uwsEditTxt.uws") + " editor " + Book("A/p012.kif.txt");
    EXPECT_EQ(world.events,
              (std::vector<std::string>{
                  "start: " + start,
                  "message: " + std::string(modConst::kMsgCannotStart) + "\r\n  " + start,
                  "start: " + edit,
                  "message: " + std::string(modConst::kMsgCannotStart) + "\r\n  " + edit}));
    EXPECT_TRUE(Current()->text().isEmpty());
}

TEST_F(AutomationTest, StartAndCompanionWithoutARecordSelectedDoNothingHarmful) {
    temp.MakeFolder("book/A");
    temp.WriteFile("prog/Template.txt", "template");
    Start();
    SetTools("uwsc", "editor");
    Click("cmdUWSC_1");
    Click("cmdUWSC_2");
    EXPECT_EQ(world.messages,
              (std::vector<std::string>{std::string(modConst::kMsgNoProblemSelected),
                                        std::string(modConst::kMsgNoProblemSelected)}));
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_FALSE(temp.Exists("book/A/.txt"));
}

TEST_F(AutomationTest, CompanionIsMadeFromTheTemplateWhenMissingOrEmpty) {
    temp.WriteFile("book/A/p001.kif", "x");
    temp.WriteFile("book/A/p002.kif", "x");
    temp.WriteFile("book/A/p002.kif.txt", "");
    temp.WriteFile("book/A/p003.kif", "x");
    temp.WriteFile("book/A/p003.kif.txt", "my notes");
    temp.WriteFile("prog/Template.txt", "出典：\n");
    Start();
    SetTools("C:/UWSC/UWSC.exe", "C:/Program Files/TeraPad/TeraPad.exe");
    for (int i = 0; i < 3; ++i) {
        Problems()->setCurrentRow(i);
        Click("cmdUWSC_2");
    }
    EXPECT_EQ(temp.ReadFile("book/A/p001.kif.txt"), "出典：\n");
    EXPECT_EQ(temp.ReadFile("book/A/p002.kif.txt"), "出典：\n");
    EXPECT_EQ(temp.ReadFile("book/A/p003.kif.txt"), "my notes");
    ASSERT_EQ(world.commandLines.size(), 3u);
    EXPECT_EQ(world.commandLines[0], "C:/UWSC/UWSC.exe " + Prog("uwsEditTxt.uws") +
                                         " C:/Program<spc>Files/TeraPad/TeraPad.exe " +
                                         Book("A/p001.kif.txt"));
    EXPECT_EQ(world.sounds.size(), 3u);
}

// Without an editor the script would be left to guess what to open the notes with: the notes
// are not handed over at all, as "起動" refuses a path that is not set.
TEST_F(AutomationTest, CompanionWithAnEmptyEditorPathIsNotHandedToTheScript) {
    temp.WriteFile("book/A/p001.kif", "x");
    temp.WriteFile("book/A/p001.kif.txt", "notes");
    temp.WriteFile("prog/start.wav", "RIFF");
    Start();
    SetTools("uwsc", "");
    Click("cmdUWSC_2");
    EXPECT_EQ(world.events,
              std::vector<std::string>{"message: " + std::string(modConst::kMsgTerapadPathNotSet)});
    EXPECT_EQ(temp.ReadFile("book/A/p001.kif.txt"), "notes");
}

TEST_F(AutomationTest, CompanionWithoutATemplateSaysSoAndStartsNothing) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    SetTools("uwsc", "editor");
    Click("cmdUWSC_2");
    EXPECT_EQ(world.messages,
              std::vector<std::string>{std::string(modConst::kMsgTemplateNotCopied) + "\r\n  " +
                                       Prog("Template.txt")});
    // The log says why, in the system's words.
    const std::string logged = "cannot read " + Prog("Template.txt") + ": ";
    ASSERT_EQ(world.warnings.size(), 1u);
    EXPECT_EQ(world.warnings[0].substr(0, logged.size()), logged);
    EXPECT_GT(world.warnings[0].size(), logged.size());
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_FALSE(temp.Exists("book/A/p001.kif.txt"));
    EXPECT_TRUE(world.sounds.empty());
}

TEST_F(AutomationTest, LaunchButtonsStartTheBoardProgramsAlone) {
    const std::string kifuw = temp.WriteFile("tools/Kifu for Windows/KifuW.exe", "exe");
    const std::string kshogi = temp.WriteFile("tools/K-Shogi64.exe", "exe");
    temp.MakeFolder("book");
    Start();
    SetTools("", "", kifuw, kshogi);
    Click("cmdRunKifuFWin_0");
    Click("cmdRunKifuFWin_1");
    EXPECT_EQ(world.commandLines, (std::vector<std::string>{kifuw, kshogi}));
    EXPECT_EQ(world.programs, (std::vector<std::string>{kifuw, kshogi}));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(AutomationTest, LaunchButtonsNameTheProgramWhosePathIsNotSet) {
    const std::string empty = temp.WriteFile("tools/KifuW.exe", "");
    temp.MakeFolder("book");
    Start();
    SetTools("", "", empty, temp.Join("tools"));
    Click("cmdRunKifuFWin_0");
    Click("cmdRunKifuFWin_1");
    EXPECT_EQ(world.messages,
              (std::vector<std::string>{"KifuW.exe へのパスが設定画面で正しく設定されていません。",
                                        "K-Shogiへのパスが設定画面で正しく設定されていません。"}));
    EXPECT_FALSE(temp.Exists("tools/KifuW.exe"));
    EXPECT_TRUE(world.commandLines.empty());
}

TEST_F(AutomationTest, EditButtonsOpenTheScriptsAndTheTemplateInTheEditor) {
    const std::string editor = temp.WriteFile("tools/Tera Pad/TeraPad.exe", "exe");
    temp.MakeFolder("book");
    Start();
    SetTools("", editor);
    Click("cmdEditUws_0");
    Click("cmdEditUws_1");
    Click("cmdEditUws_2");
    Click("cmdOpenTemplateFile");
    // The scripts need not exist: the editor is started on the path all the same.
    EXPECT_EQ(world.commandLines,
              (std::vector<std::string>{editor + " \"" + Prog("uwsSaveKif.uws") + "\"",
                                        editor + " \"" + Prog("uwsOpenStart.uws") + "\"",
                                        editor + " \"" + Prog("uwsEditTxt.uws") + "\"",
                                        editor + " \"" + Prog("Template.txt") + "\""}));
}

TEST_F(AutomationTest, EditWithoutAnEditorNamesThePath) {
    temp.MakeFolder("book");
    Start();
    SetTools("", "/nowhere/TeraPad.exe");
    Click("cmdOpenTemplateFile");
    EXPECT_EQ(world.messages,
              std::vector<std::string>{"次のエディタが見つかりません\r\n  /nowhere/TeraPad.exe"});
    EXPECT_TRUE(world.commandLines.empty());
}

TEST_F(AutomationTest, ToolPathsComeFromTheSettingsFileOnFirstUse) {
    const std::string kifuw = temp.WriteFile("tools/KifuW.exe", "exe");
    temp.WriteFile("prog/Quillmere.ini", "[ExePath]\nKifFWin=" + kifuw + "\n");
    temp.MakeFolder("book");
    Start();
    EXPECT_FALSE(frmIni::IsLoaded());
    Click("cmdRunKifuFWin_0");
    EXPECT_TRUE(frmIni::IsLoaded());
    EXPECT_FALSE(frmIni::Get().isVisible());
    EXPECT_EQ(world.commandLines, std::vector<std::string>{kifuw});
}
