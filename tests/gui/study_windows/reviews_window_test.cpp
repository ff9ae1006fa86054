// "今日の復習" and "次の復習" in the main window: the records of every book due today from a log of
// several days, a record chosen there selected in its own book, a mark taking its row off at
// once, F4 walking the records due, and what it says when none is.
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTreeView>
#include <QWindow>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/list_box.h"
#include "gui/main_window/main_window_fixture.h"
#include "gui/study/study_session.h"
#include "study_windows/reviews/reviews_model.h"
#include "study_windows/reviews/reviews_window.h"
#include "support/study_log/study_log.h"

namespace {

// 2026-12-07 10:00 local time, plus `days`.
std::time_t Day(int days) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 7 + days;
    local.tm_hour = 10;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

class ReviewsWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        for (const char* record : {"A/p1.kif", "A/p2.kif", "A/p3.kif", "B/q1.kif"}) {
            temp.WriteFile(std::string("book/") + record, "x");
        }
        world.now = Day(0);
        Start();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void Settle() const { ASSERT_TRUE(window->study().Finish()); }
    void Press(QWindow* on, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(on, key, modifiers);
    }
    void Select(const std::string& book, const std::string& record) const {
        for (int row = 0; row < Books()->count(); ++row) {
            if (quill::ListEntry(*Books(), row) == book) Books()->setCurrentRow(row);
        }
        for (int row = 0; row < Problems()->count(); ++row) {
            if (quill::ListEntry(*Problems(), row) == record) Problems()->setCurrentRow(row);
        }
    }
    std::string Selected() const {
        return quill::SelectedEntry(*Books()) + "/" + quill::SelectedEntry(*Problems());
    }
    static ReviewsWindow* Shown() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->windowTitle() == "今日の復習") {
                return qobject_cast<ReviewsWindow*>(top);
            }
        }
        return nullptr;
    }
    static std::vector<std::string> Row(const ReviewsWindow& reviews, int row) {
        std::vector<std::string> texts;
        const QAbstractItemModel* model = reviews.table()->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            texts.push_back(model->index(row, column).data().toString().toStdString());
        }
        return texts;
    }
};

TEST_F(ReviewsWindowTest, ListsWhatIsDueSelectsItAndAMarkTakesItOff) {
    Press(window->windowHandle(), Qt::Key_F4);
    Settle();
    EXPECT_EQ(world.messages, std::vector<std::string>{"今日の復習はありません。"});
    // Day 0: p1 failed, q1 solved; day 1: p1 solved, p2 failed. Marked with the schedule read, so
    // each mark is added to it as it is kept.
    Select("A", "p1.kif");
    Press(window->windowHandle(), Qt::Key_2, Qt::ControlModifier);
    Select("B", "q1.kif");
    Press(window->windowHandle(), Qt::Key_1, Qt::ControlModifier);
    Settle();
    world.now = Day(1);
    Select("A", "p1.kif");
    Press(window->windowHandle(), Qt::Key_1, Qt::ControlModifier);
    Select("A", "p2.kif");
    Press(window->windowHandle(), Qt::Key_2, Qt::ControlModifier);
    Settle();
    temp.WriteFile("book/B/gone.kif", "x");
    Select("B", "gone.kif");
    Press(window->windowHandle(), Qt::Key_3, Qt::ControlModifier);
    Settle();
    const std::string gone = Book("B/gone.kif");
    std::filesystem::remove(std::filesystem::path(std::u8string(gone.begin(), gone.end())));

    world.now = Day(4);
    world.messages.clear();
    Press(window->windowHandle(), Qt::Key_T, Qt::ControlModifier);
    Settle();
    ReviewsWindow* reviews = Shown();
    ASSERT_NE(reviews, nullptr);
    EXPECT_EQ(reviews->counts()->text().toStdString(),
              "今日 3件（期限切れ 3件）　明日 0件　予定なし 0件　未挑戦 1件");
    ASSERT_EQ(reviews->table()->model()->rowCount(), 3);
    EXPECT_EQ(Row(*reviews, 0), (std::vector<std::string>{"A", "p2.kif", "2026-12-09", "2",
                                                          "解けなかった", "1", "66%"}));
    EXPECT_EQ(Row(*reviews, 1)[1], "q1.kif");
    EXPECT_EQ(Row(*reviews, 2),
              (std::vector<std::string>{"A", "p1.kif", "2026-12-10", "1", "解けた", "2", "87%"}));

    // Enter selects the record in its own book, in the main window.
    Select("B", "q1.kif");
    reviews->table()->setCurrentIndex(reviews->table()->model()->index(0, 0));
    Press(reviews->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(Selected(), "A/p2.kif");
    // A mark takes the row off at once.
    Press(window->windowHandle(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(reviews->table()->model()->rowCount(), 2);
    Settle();
    EXPECT_EQ(reviews->table()->model()->rowCount(), 2);
    EXPECT_EQ(reviews->counts()->text().toStdString(),
              "今日 2件（期限切れ 2件）　明日 0件　予定なし 1件　未挑戦 1件");

    // F4 walks the records due, round from the last, changing the book.
    std::vector<std::string> visited;
    for (int step = 0; step < 3; ++step) {
        Press(window->windowHandle(), Qt::Key_F4);
        visited.push_back(Selected());
    }
    const std::string first = Row(*reviews, 0)[0] + "/" + Row(*reviews, 0)[1];
    const std::string second = Row(*reviews, 1)[0] + "/" + Row(*reviews, 1)[1];
    EXPECT_EQ(visited, (std::vector<std::string>{first, second, first}));
    for (const std::string& due : {first, second}) {
        Select(due.substr(0, 1), due.substr(2));
        Press(window->windowHandle(), Qt::Key_1, Qt::ControlModifier);
    }
    Settle();
    EXPECT_EQ(reviews->table()->model()->rowCount(), 0);
    EXPECT_TRUE(world.messages.empty());
    Press(window->windowHandle(), Qt::Key_F4);
    ASSERT_EQ(world.messages.size(), 1u);
    EXPECT_EQ(world.messages[0], "今日の復習はありません。次は 2026-12-14 です。");

    // The desired retention is kept in the log; Esc closes the window, which stays for the next
    // opening.
    reviews->retention()->setValue(80);
    Settle();
    EXPECT_EQ(studyLog::StudyLog(Prog("Quillmere-study.sqlite")).RetentionPercent(), 80);
    Press(reviews->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(Shown(), nullptr);
    Press(window->windowHandle(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Shown(), reviews);
}

}  // namespace
