// The results window of a book: its records in the problem list's order with their results in
// the current cycle, the totals of that cycle and of every cycle, sorting, selecting a record in
// the main window, and the CSV written where the save dialog says.
#include <QCheckBox>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <filesystem>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>

#include <cstdio>
#endif

#include "common/accessible_name.h"
#include "gui/main_window/main_window_fixture.h"
#include "gui/study/study_session.h"
#include "study_windows/results/results_model.h"
#include "study_windows/results/results_table.h"
#include "study_windows/results/results_window_set.h"
#include "support/study_log/history_line.h"
#include "support/study_log/study_log.h"

namespace {

using studyLog::Outcome;
using testing_support::AccessibleName;

constexpr std::time_t kMonday = 1796710502;  // 2026-12-08 06:15:02 UTC
constexpr std::time_t kDay = 86400;

// A throwaway program folder with its study log (not made until something is recorded), books
// below the book root, and the results windows, whose selections are written down.
class ResultsWindowTest : public MainWindowTest {
  protected:
    ResultsWindowTest() { world.now = kMonday; }

    std::string LogPath() const { return Prog("Quillmere-study.sqlite"); }
    void MakeBook(const std::string& book, const std::vector<std::string>& records) const {
        temp.MakeFolder("book/" + book);
        for (const std::string& record : records)
            temp.WriteFile("book/" + book + "/" + record, "x");
    }
    // An attempt at a record of "基本", marked 100 seconds after the last and timed when given,
    // through the study session, which tells the results windows; kept before it returns.
    void Mark(const std::string& record, Outcome outcome, std::optional<int> seconds,
              const std::string& book = "基本") {
        world.now += 100;
        if (seconds) session.StartedSolving(book, record, world.now - *seconds);
        session.Mark(book, record, outcome);
        Settle();
    }
    void Settle() { ASSERT_TRUE(session.Finish()); }
    // The question before a new cycle is answered with `startCycle`, and written down.
    ResultsWindow& Open(const std::string& book = "基本") {
        windows.Show(book, Book(book));
        Settle();
        ResultsWindow& window = *windows.WindowOf(book);
        window.SetAskNewCycle([this](QWidget&, int next) {
            asked.push_back(next);
            return startCycle;
        });
        return window;
    }
    static std::vector<std::string> Column(const QTreeView* table, int column) {
        std::vector<std::string> texts;
        const QAbstractItemModel* model = table->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            texts.push_back(model->index(row, column).data().toString().toStdString());
        }
        return texts;
    }
    template <typename T>
    static T* Part(const ResultsWindow& window, const char* text) {
        for (T* control : window.findChildren<T*>()) {
            if (control->text() == QString::fromUtf8(text)) return control;
        }
        ADD_FAILURE() << text;
        return nullptr;
    }

    quill::StudySession session{LogPath()};
    std::vector<std::pair<std::string, std::string>> selected;
    std::vector<int> asked;
    bool startCycle = true;
    ResultsWindowSet windows{session, [this](const std::string& book, const std::string& record) {
                                 selected.emplace_back(book, record);
                             }};
};

TEST_F(ResultsWindowTest, ShowsTheCurrentCycleAndEachCycleBesideIt) {
    MakeBook("基本", {"p2.kif", "P1.kif", "p3.bod", "p4.kif", "p5.kif"});
    Mark("P1.kif", Outcome::kFailed, 100);
    Mark("P1.kif", Outcome::kSolved, 60);
    Mark("p2.kif", Outcome::kGaveUp, std::nullopt);
    Mark("gone.kif", Outcome::kSolved, 5);  // a record no longer in the folder
    ResultsWindow& window = Open();
    world.now += kDay;
    QPushButton* newCycle = Part<QPushButton>(window, "新しい周回");
    startCycle = false;  // "やめる" starts nothing
    newCycle->click();
    Settle();
    EXPECT_EQ(session.Study("基本")->cycle, 1);
    startCycle = true;
    newCycle->click();
    Settle();
    EXPECT_EQ(asked, std::vector<int>({2, 2}));
    EXPECT_FALSE(newCycle->isEnabled());  // the new cycle has no attempts yet
    Mark("P1.kif", Outcome::kSolved, 40);
    Mark("p3.bod", Outcome::kFailed, 20);
    EXPECT_TRUE(newCycle->isEnabled());

    const QTreeView* records = window.records();
    EXPECT_EQ(Column(records, results::kRecordName),
              std::vector<std::string>({"P1.kif", "p2.kif", "p3.bod", "p4.kif", "p5.kif"}));
    EXPECT_EQ(Column(records, results::kAttempts),
              std::vector<std::string>({"1", "0", "1", "0", "0"}));
    EXPECT_EQ(Column(records, results::kLastOutcome),
              std::vector<std::string>({"解けた", "未挑戦", "解けなかった", "未挑戦", "未挑戦"}));
    EXPECT_EQ(Column(records, results::kBestTime),
              std::vector<std::string>({"40秒", "―", "―", "―", "―"}));
    EXPECT_EQ(window.findChild<QLabel*>()->text().toStdString(),
              "第2周の合計\n"
              "解けた 1　解けなかった 1　やめた 0　未挑戦 3\n"
              "正解率 50 %（解けた 1／挑戦 2）　合計 1分0秒　1回あたりの平均 30秒");

    const QTreeWidget* cycles = window.cycles();
    ASSERT_EQ(cycles->topLevelItemCount(), 2);
    const auto cycleRow = [&](int row) {
        std::vector<std::string> texts;
        for (int column = 0; column < cycles->columnCount(); ++column) {
            texts.push_back(cycles->topLevelItem(row)->text(column).toStdString());
        }
        return texts;
    };
    const auto shown = [](std::time_t time) {
        std::string text = studyLog::LocalTimeText(time).substr(0, 16);
        text[10] = ' ';
        return text;
    };
    EXPECT_EQ(cycleRow(0),
              std::vector<std::string>({"第1周", shown(kMonday), "2", "0", "1", "2分45秒"}));
    EXPECT_EQ(cycleRow(1), std::vector<std::string>({"第2周（現在）", shown(kMonday + 400 + kDay),
                                                     "1", "1", "0", "1分0秒"}));
    EXPECT_EQ(window.windowTitle().toStdString(), "基本 - 成績");
}

// Solved over tried records, to the nearest per cent, saying what it counts.
TEST(ResultsRateTest, SaysWhatItCountsRoundedToTheNearest) {
    const std::tuple<int, int, const char*> rows[] = {{2, 3, "正解率 67 %（解けた 2／挑戦 3）"},
                                                      {1, 3, "正解率 33 %（解けた 1／挑戦 3）"},
                                                      {1, 8, "正解率 13 %（解けた 1／挑戦 8）"},
                                                      {0, 0, "正解率 ―"}};
    for (const auto& [solved, tried, rate] : rows) {
        studyLog::BookTotals totals;
        totals.records = tried + 1;
        totals.solved = solved;
        totals.untried = 1;
        if (tried > 0) totals.successPercent = 100.0 * solved / tried;
        EXPECT_EQ(
            results::TotalsText(1, totals).section('\n', 2).section(u'　', 0, 0).toStdString(),
            rate);
    }
}

TEST_F(ResultsWindowTest, SortsTimesAsNumbersWithUntimedRecordsLastBothWays) {
    MakeBook("基本", {"p1.kif", "p2.kif", "p3.kif", "p4.kif"});
    Mark("p1.kif", Outcome::kSolved, 300);
    Mark("p2.kif", Outcome::kSolved, 40);
    Mark("p3.kif", Outcome::kSolved, 9);
    Mark("p4.kif", Outcome::kSolved, std::nullopt);
    ResultsWindow& window = Open();
    QTreeView* records = window.records();
    records->sortByColumn(results::kBestTime, Qt::AscendingOrder);
    EXPECT_EQ(Column(records, results::kRecordName),
              std::vector<std::string>({"p3.kif", "p2.kif", "p1.kif", "p4.kif"}));
    records->sortByColumn(results::kBestTime, Qt::DescendingOrder);
    EXPECT_EQ(Column(records, results::kRecordName),
              std::vector<std::string>({"p1.kif", "p2.kif", "p3.kif", "p4.kif"}));
    // A new attempt keeps the order the user chose.
    Mark("p4.kif", Outcome::kSolved, 120);
    EXPECT_EQ(Column(records, results::kRecordName),
              std::vector<std::string>({"p1.kif", "p4.kif", "p2.kif", "p3.kif"}));
}

struct ActivationCase {
    const char* name;
    bool doubleClick;
};

class ResultsActivationTest : public ResultsWindowTest,
                              public testing::WithParamInterface<ActivationCase> {};

TEST_P(ResultsActivationTest, SelectsTheRecordInTheMainWindow) {
    MakeBook("基本", {"p1.kif", "p2.kif", "p3.kif"});
    ResultsWindow& window = Open();
    QTreeView* records = window.records();
    const QModelIndex row = records->model()->index(1, 0);
    records->setCurrentIndex(row);
    records->setFocus();
    if (GetParam().doubleClick) {
        const QPoint place = records->visualRect(row).center();
        // As the system delivers a double click: a click, then the second press.
        QTest::mouseClick(records->viewport(), Qt::LeftButton, Qt::NoModifier, place);
        QTest::mouseDClick(records->viewport(), Qt::LeftButton, Qt::NoModifier, place);
    } else {
        QTest::keyClick(records, Qt::Key_Return);
    }
    EXPECT_EQ(selected, (std::vector<std::pair<std::string, std::string>>{{"基本", "p2.kif"}}));
}

INSTANTIATE_TEST_SUITE_P(Rows, ResultsActivationTest,
                         testing::Values(ActivationCase{"Enter", false},
                                         ActivationCase{"DoubleClick", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsWindowTest, WritesTheCsvWhereTheSaveDialogSays) {
    // A name no Windows folder can have is still a book in the log.
    const std::string book = "詰将棋,\"基本\"";
    Mark("p1.kif", Outcome::kSolved, 65, book);
    Mark("p1.kif", Outcome::kFailed, std::nullopt, "other");
    ResultsWindow& window = Open(book);
    std::vector<QString> proposed;
    std::optional<ResultsWindow::SaveChoice> answer;
    window.SetAskSavePath([&](QWidget&, const QString& path) {
        proposed.push_back(path);
        return answer;
    });
    const std::string destination = temp.Join("成績.csv");
    answer = ResultsWindow::SaveChoice{destination, false};
    Part<QPushButton>(window, "CSV出力")->click();
    Settle();
    const auto* status = window.findChild<QLabel*>(QStringLiteral("csvStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(status->isHidden());
    EXPECT_EQ(status->text().toStdString(),
              std::string(modConst::kResultsCsvWritten) + destination);
    ASSERT_EQ(proposed.size(), 1u);
    EXPECT_TRUE(proposed[0].endsWith(QString::fromStdString(kSep + book + ".csv")))
        << proposed[0].toStdString();
    const std::string marked = studyLog::LocalTimeText(kMonday + 100);
    const std::string started = studyLog::LocalTimeText(kMonday + 35);
    EXPECT_EQ(temp.ReadFile("成績.csv"),
              "\xEF\xBB\xBF"
              "book,record,started,marked,seconds,result,cycle\r\n"
              "\"詰将棋,\"\"基本\"\"\",p1.kif," +
                  started + "," + marked + ",65,solved,1\r\n");

    // Every book, over the file, which the dialog had the user confirm replacing.
    Part<QCheckBox>(window, "全ての書籍")->setChecked(true);
    answer = ResultsWindow::SaveChoice{destination, true};
    Part<QPushButton>(window, "CSV出力")->click();
    Settle();
    ASSERT_EQ(proposed.size(), 2u);
    EXPECT_TRUE(proposed[1].endsWith(QString::fromStdString(kSep + "Quillmere-study.csv")));
    EXPECT_NE(temp.ReadFile("成績.csv")
                  .find(",p1.kif,," + studyLog::LocalTimeText(kMonday + 200) + ",,failed,1\r\n"),
              std::string::npos);

    // A cancelled dialog writes nothing and says nothing.
    answer.reset();
    Part<QPushButton>(window, "CSV出力")->click();
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(ResultsWindowTest, ExportToAReadOnlyFolderSaysSoAndWritesNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "a folder's read-only attribute does not stop files being made in it";
#else
    Mark("p1.kif", Outcome::kSolved, 65);
    const std::string folder = temp.MakeFolder("locked");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    // The superuser writes into read-only folders.
    if (std::FILE* probe = std::fopen((folder + "/probe").c_str(), "w")) {
        std::fclose(probe);
        GTEST_SKIP() << "a read-only folder can be written here";
    }
    ResultsWindow& window = Open();
    const std::string destination = folder + kSep + "基本.csv";
    window.SetAskSavePath([&](QWidget&, const QString&) {
        return std::optional<ResultsWindow::SaveChoice>({destination, false});
    });
    Part<QPushButton>(window, "CSV出力")->click();
    Settle();
    EXPECT_EQ(world.messages, std::vector<std::string>({std::string(modConst::kMsgCsvNotWritten) +
                                                        "\r\n  " + destination}));
    EXPECT_FALSE(temp.Exists("locked/基本.csv"));
    chmod(folder.c_str(), 0755);
#endif
}

TEST_F(ResultsWindowTest, ShowingAndReadingTheResultsMakeNoFile) {
    MakeBook("基本", {"p1.kif"});
    MakeBook("応用", {"q1.kif"});
    ResultsWindow& window = Open();
    EXPECT_EQ(&Open(), &window);  // one window per book
    EXPECT_NE(&Open("応用"), &window);
    window.Refresh();
    Settle();
    // With nothing tried, there is no cycle to leave.
    EXPECT_FALSE(Part<QPushButton>(window, "新しい周回")->isEnabled());
    EXPECT_EQ(Column(window.records(), results::kLastOutcome),
              std::vector<std::string>({"未挑戦"}));
    EXPECT_TRUE(std::filesystem::is_empty(
        std::filesystem::path(std::u8string(programFolder.begin(), programFolder.end()))));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(ResultsWindowTest, EveryControlIsNamedAndReachedByTabInOrder) {
    MakeBook("基本", {"p1.kif"});
    Mark("p1.kif", Outcome::kSolved, 65);
    ResultsWindow& window = Open();
    std::vector<std::string> names;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        // The parts of a table, and the status line until there is something to say.
        if (control->parentWidget() != &window || control->isHidden()) continue;
        names.push_back(AccessibleName(control).toStdString());
        EXPECT_FALSE(names.back().empty()) << control->metaObject()->className();
    }
    EXPECT_EQ(names.size(), 7u);
    std::vector<std::string> order;
    QWidget* control = window.records();
    do {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isEnabled() &&
            control->parentWidget() == &window) {
            order.push_back(AccessibleName(control).toStdString());
        }
        control = control->nextInFocusChain();
    } while (control != window.records());
    EXPECT_EQ(order, std::vector<std::string>({"棋譜ごとの成績", "周回ごとの成績", "新しい周回",
                                               "全ての書籍", "CSV出力"}));
    // Esc closes the window.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.records(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
