// "学習の推移", wired: opened by Ctrl+G, its streaks line from a small log with a set clock, a day
// chosen listing its attempts, an attempt chosen selecting its record in the main window, a mark
// counted in while it is open, and its charts shown as tables.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "gui/list_box.h"
#include "gui/main_window/main_window_fixture.h"
#include "gui/study/study_session.h"
#include "gui/study_calendar.h"
#include "study_windows/progress/progress_window.h"
#include "support/study_day.h"

namespace {

using studyLog::Outcome;

constexpr std::time_t kMonday = 1796710502;  // 2026-12-08 06:15:02 UTC
constexpr std::time_t kDay = 86400;

class ProgressWindowTest : public MainWindowTest {
  protected:
    // A mark on the selected record at `when`, timed 60 seconds when asked.
    void Mark(int row, Outcome outcome, std::time_t when, bool timed) {
        Problems()->setCurrentRow(row);
        world.now = when;
        const std::string record = quill::SelectedEntry(*Problems());
        if (timed) window->study().StartedSolving("A", record, when - 60);
        window->MarkAttempt(outcome);
        ASSERT_TRUE(window->study().Finish());
    }
    static ProgressWindow* Shown() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<ProgressWindow*>(top); found && found->isVisible())
                return found;
        }
        return nullptr;
    }
    static void Press(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* top = target.window();
        top->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
        target.setFocus();
        QTest::keyClick(top->windowHandle(), key, modifiers);
    }
};

TEST_F(ProgressWindowTest, CtrlGShowsTheStreaksTheDaysAndFollowsAMark) {
    temp.WriteFile("book/A/p001.kif", "x");
    temp.WriteFile("book/A/p002.kif", "x");
    temp.WriteFile("book/B/p100.kif", "x");
    Start();
    Mark(0, Outcome::kSolved, kMonday - 2 * kDay, true);
    Mark(1, Outcome::kFailed, kMonday - kDay, false);
    Mark(0, Outcome::kSolved, kMonday, true);
    window->show();
    Press(*Books(), Qt::Key_G, Qt::ControlModifier);
    ProgressWindow* progress = Shown();
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(window->study().Finish());
    ASSERT_TRUE(progress->loaded());
    EXPECT_EQ(progress->books()->currentText(), "A");
    EXPECT_EQ(progress->streaks()->text(), "連続 3日　最長 3日　学習日数 3日　合計 0時間2分");

    // Today chosen from the keyboard lists its attempt; Enter on it selects it in the main window.
    quill::StudyCalendar* calendar = progress->calendar();
    calendar->SetCurrentItem(calendar->ItemOfDay(studyDay::Today()));
    Press(*calendar, Qt::Key_Return);
    QTreeWidget* day = progress->dayAttempts();
    ASSERT_EQ(day->topLevelItemCount(), 1);
    EXPECT_EQ(day->topLevelItem(0)->text(1), "p001.kif");
    EXPECT_EQ(day->topLevelItem(0)->text(2), "解けた");
    EXPECT_EQ(day->topLevelItem(0)->text(3), "1分0秒");
    Books()->setCurrentRow(1);
    Press(*day, Qt::Key_Return);
    EXPECT_EQ(quill::SelectedEntry(*Books()), "A");
    EXPECT_EQ(quill::SelectedEntry(*Problems()), "p001.kif");

    // A mark while it is open is counted in: the day's list and the line follow.
    Mark(1, Outcome::kGaveUp, kMonday + 600, true);
    EXPECT_EQ(day->topLevelItemCount(), 2);
    EXPECT_EQ(progress->streaks()->text(), "連続 3日　最長 3日　学習日数 3日　合計 0時間3分");

    // "表で見る" puts each chart's figures in a table in its place.
    progress->tablesToggle()->click();
    QTableWidget* table = progress->TableOf(calendar);
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(table->rowCount(), 3);  // the three days studied
    EXPECT_EQ(table->item(2, 1)->text(), "2");

    // Esc closes it.
    Press(*table, Qt::Key_Escape);
    EXPECT_FALSE(progress->isVisible());
}

}  // namespace
