// The study log in the main window: a record marked from its menu or a shortcut, timed from
// "開始", shown in the list and the preview, kept over a restart; the review of what is unsolved.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QSignalSpy>
#include <QToolTip>
#include <algorithm>

#include "gui/list_box.h"
#include "gui/study/study_session.h"
#include "main_window/list_preview.h"
#include "main_window/preview_popup.h"
#include "main_window/study/outcome_marks.h"
#include "main_window_fixture.h"
#include "support/study_log/study_log.h"

namespace {

using studyLog::Outcome;

class StudyTest : public MainWindowTest {
  protected:
    void StartOnBook(std::initializer_list<const char*> records) {
        for (const char* record : records) temp.WriteFile(std::string("book/A/") + record, "x");
        Start();
        SetTools("uwsc", "");
    }
    void Trigger(const char* action) const {
        QAction* found = window->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    // Waits for the study log to have done what was asked of it.
    void Settle() const { ASSERT_TRUE(window->study().Finish()); }
    QVariant Mark(int row) const { return Problems()->item(row)->data(quill::kOutcomeRole); }
    std::string LogFile() const { return Prog("Quillmere-study.sqlite"); }
    studyLog::RecordHistory History(const std::string& record) const {
        return studyLog::StudyLog(LogFile()).History("A", record);
    }
};

TEST_F(StudyTest, StartThenAMarkIsTimedShownInTheListAndThePreviewAndKept) {
    StartOnBook({"p009.kif", "p010.kif"});
    Problems()->setCurrentRow(1);
    world.now = 1'000'000;
    Click("cmdUWSC_1");
    world.now += 192;
    Trigger("markSolved");
    Settle();
    EXPECT_EQ(History("p010.kif").lastSeconds, 192);
    // A second mark without a new start is not timed.
    world.now += 30;
    Trigger("markFailed");
    EXPECT_EQ(Mark(1), static_cast<int>(Outcome::kFailed)) << "drawn at once";
    Settle();
    const studyLog::RecordHistory history = History("p010.kif");
    EXPECT_EQ(history.attempts, 2);
    EXPECT_EQ(history.lastSeconds, std::nullopt);
    EXPECT_EQ(Mark(1), static_cast<int>(Outcome::kFailed));
    EXPECT_FALSE(Mark(0).isValid());
    EXPECT_EQ(Problems()->item(1)->text(), "p010.kif");
    EXPECT_EQ(Problems()->item(1)->data(Qt::AccessibleTextRole).toString(),
              "p010.kif 解けなかった");

    Problems()->setFocus();
    QTest::keyClick(Problems(), Qt::Key_Menu);
    const PreviewPopup* popup = window->findChild<ListPreview*>()->popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->findChild<QLabel*>("previewHistory")->text(),
              "2回　最後：解けなかった　最速 3分12秒");

    window.reset();
    Start();
    Settle();
    EXPECT_EQ(Mark(1), static_cast<int>(Outcome::kFailed)) << "kept over a restart";
    EXPECT_TRUE(world.messages.empty());
}

// Browsing, the preview and the record menu make no log: the first mark does. Before it, the
// list's tooltip beside the records and the preview of a record say how to mark.
TEST_F(StudyTest, NothingIsMadeUntilTheFirstMarkAndTheWayToMarkIsShown) {
    StartOnBook({"p001.kif"});
    window->show();
    QListWidget* list = Problems();
    // What the tooltip delay delivers when the mouse rests below the records; then the preview.
    const QPoint below(4, list->viewport()->height() - 4);
    QHelpEvent rest(QEvent::ToolTip, below, list->viewport()->mapToGlobal(below));
    QApplication::sendEvent(list->viewport(), &rest);
    EXPECT_EQ(QToolTip::text().toStdString(), modConst::kHintMarking);
    QToolTip::hideText();
    QTest::keyClick(list, Qt::Key_Menu);
    EXPECT_EQ(window->findChild<QLabel*>("previewHistory")->text().toStdString(),
              modConst::kHintNeverTried);
    QTest::keyClick(list, Qt::Key_Escape);

    const QPoint row = list->visualItemRect(list->item(0)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, row, list->viewport()->mapToGlobal(row));
    QApplication::sendEvent(list->viewport(), &rightClick);
    auto* menu = window->findChild<QMenu*>("recordMenu");
    ASSERT_TRUE(menu != nullptr && menu->isVisible());
    QStringList shown;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) shown << action->text() + u' ' + action->shortcut().toString();
    }
    EXPECT_EQ(shown,
              (QStringList{"解けた Ctrl+1", "解けなかった Ctrl+2", "やめた Ctrl+3", "次の未解決 F3",
                           "次の復習 F4", "今日の復習 Ctrl+T", "成績 Ctrl+R"}));
    menu->hide();
    EXPECT_FALSE(temp.Exists("prog/Quillmere-study.sqlite"));
    Trigger("markGaveUp");
    Settle();
    EXPECT_TRUE(temp.Exists("prog/Quillmere-study.sqlite"));
    EXPECT_EQ(Mark(0), static_cast<int>(Outcome::kGaveUp));
}

// Each role set on a row costs the list a signal and its views an update: a book is listed
// without touching the rows never marked, and a mark changes its own row only.
TEST_F(StudyTest, OnlyTheRowsOfMarkedRecordsChange) {
    StartOnBook({"p001.kif", "p002.kif", "p003.kif"});
    QSignalSpy changed(Problems()->model(), &QAbstractItemModel::dataChanged);
    window->lstFolder_Click();
    EXPECT_EQ(changed.count(), 0) << "a book never marked";
    Problems()->setCurrentRow(1);
    Trigger("markSolved");
    window->lstFolder_Click();
    QSet<int> rows;
    for (const QList<QVariant>& signal : changed) rows << signal.at(0).toModelIndex().row();
    EXPECT_EQ(rows, QSet<int>{1});
    EXPECT_EQ(Mark(1), static_cast<int>(Outcome::kSolved));
}

// The review goes to the next record not solved, never tried ones too, round from the end, and
// says so once every record is solved.
TEST_F(StudyTest, NextUnsolvedStepsThroughFailedAndUntriedAndSaysWhenAllAreSolved) {
    StartOnBook({"p001.kif", "p002.kif", "p003.kif"});
    Trigger("markSolved");  // p001, selected first
    Problems()->setCurrentRow(1);
    Trigger("markFailed");
    Problems()->setCurrentRow(0);
    std::vector<std::string> visited;
    for (int step = 0; step < 3; ++step) {
        Trigger("nextUnsolved");
        visited.push_back(SelectedProblem());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"p002.kif", "p003.kif", "p002.kif"}));
    Trigger("markSolved");
    Problems()->setCurrentRow(2);
    Trigger("markSolved");
    Settle();
    EXPECT_TRUE(world.messages.empty());
    Trigger("nextUnsolved");
    EXPECT_EQ(world.messages, std::vector<std::string>{"この書籍の棋譜はすべて解けています。"});
    EXPECT_EQ(SelectedProblem(), "p003.kif");
}

// A mark is drawn at once; one the log cannot keep is withdrawn from its row and said, naming the
// file; one made just before the window goes is kept.
TEST_F(StudyTest, AMarkIsWithdrawnWhenNotKeptAndKeptWhenTheWindowGoesAtOnce) {
    temp.MakeFolder("prog/Quillmere-study.sqlite");  // no file can be made there
    StartOnBook({"p001.kif"});
    Settle();
    world.messages.clear();
    Trigger("markSolved");
    EXPECT_EQ(Mark(0), static_cast<int>(Outcome::kSolved));
    Settle();
    EXPECT_FALSE(Mark(0).isValid());
    EXPECT_EQ(world.messages,
              std::vector<std::string>{std::string(modConst::kMsgStudyLogNotWritten) + "\r\n  " +
                                       LogFile()});

    window.reset();
    const std::string folder = LogFile();
    std::filesystem::remove(std::filesystem::path(std::u8string(folder.begin(), folder.end())));
    Start();
    Trigger("markFailed");
    window.reset();
    EXPECT_EQ(History("p001.kif").last, Outcome::kFailed);
}

// "成績" on the book list opens the book's results; a record chosen there is selected in the main
// window, in its own book, even after another book was selected.
TEST_F(StudyTest, TheBookMenuOpensTheResultsWhoseRecordsSelectInTheMainWindow) {
    temp.WriteFile("book/B/p100.kif", "x");
    StartOnBook({"p001.kif", "p002.kif"});
    Trigger("bookResults");
    QWidget* shown = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->windowTitle() == "A - 成績") shown = top;
    }
    ASSERT_NE(shown, nullptr);
    Books()->setCurrentRow(1);
    ASSERT_EQ(SelectedProblem(), "p100.kif");
    auto* table = shown->findChild<QAbstractItemView*>();
    ASSERT_NE(table, nullptr);
    table->setCurrentIndex(table->model()->index(1, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(quill::SelectedEntry(*Books()), "A");
    EXPECT_EQ(SelectedProblem(), "p002.kif");
    EXPECT_FALSE(temp.Exists("prog/Quillmere-study.sqlite"));
}

// The first mark a list shows makes it draw marks, each in a margin of its own: a name too long
// for the row is cut before it, never drawn under it.
TEST(OutcomeMarkTest, ALongNameIsCutWhereTheMarksMarginBegins) {
    QListWidget list;
    list.resize(140, 60);
    list.addItem(QString(30, u'W') + QStringLiteral(".kif"));
    quill::ShowOutcome(*list.item(0), Outcome::kFailed);
    list.show();
    const QImage shot = list.viewport()->grab().toImage();
    const QRect row = list.visualItemRect(list.item(0));
    int markLeft = shot.width();
    int nameRight = -1;
    for (int y = row.top(); y <= row.bottom(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (pixel.red() > 150 && pixel.green() < 90 && pixel.blue() < 90) {
                markLeft = std::min(markLeft, x);  // the red of ×
            } else if (pixel.red() < 100 && pixel.green() < 100 && pixel.blue() < 100) {
                nameRight = std::max(nameRight, x);  // the name's dark text
            }
        }
    }
    ASSERT_LT(markLeft, shot.width()) << "no mark drawn";
    ASSERT_GE(nameRight, 0) << "no name drawn";
    EXPECT_LT(nameRight, markLeft);
}

}  // namespace
