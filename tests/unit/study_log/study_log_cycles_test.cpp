#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/study_log/book_review.h"
#include "support/study_log/history_line.h"
#include "unit/study_log/study_log_test_helpers.h"

namespace {

using studyLog::Outcome;
using testing_support::At;
using testing_support::StudyLogTest;

TEST_F(StudyLogTest, EachCycleKeepsItsOwnResultsAndTotals) {
    ASSERT_TRUE(log.Record("book", "p001.kif", Outcome::kFailed));
    world.now = At(100);
    ASSERT_TRUE(log.Record("book", "p001.kif", Outcome::kSolved, At(40)));
    ASSERT_TRUE(log.Record("book", "p002.kif", Outcome::kGaveUp));
    world.now = At(86400);
    ASSERT_TRUE(log.StartNewCycle("book"));
    // A cycle without attempts is not followed by another.
    ASSERT_TRUE(log.StartNewCycle("book"));
    world.now = At(86430);
    ASSERT_TRUE(log.Record("book", "p002.kif", Outcome::kSolved, At(86400)));

    EXPECT_EQ(log.CurrentCycle("book"), 2);
    const std::vector<studyLog::CycleTotals> cycles = log.Cycles("book");
    ASSERT_EQ(cycles.size(), 2u);
    EXPECT_EQ(cycles[0].started, "2026-12-08T14:15:02");
    EXPECT_EQ(std::vector<int>({cycles[0].records, cycles[0].solved, cycles[0].failed,
                                cycles[0].gaveUp, cycles[0].attempts}),
              std::vector<int>({2, 1, 0, 1, 3}));
    EXPECT_EQ(cycles[0].seconds, 60);
    EXPECT_EQ(cycles[1].started, "2026-12-09T14:15:02");
    EXPECT_EQ(std::vector<int>({cycles[1].records, cycles[1].solved, cycles[1].attempts}),
              std::vector<int>({1, 1, 1}));

    const std::vector<studyLog::RecordResults> second = log.CycleResults("book", 2);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].record, "p002.kif");
    EXPECT_EQ(second[0].history.bestSeconds, 30);
    EXPECT_EQ(log.CycleResults("book", 1).at(0).history.attempts, 2);
}

TEST_F(StudyLogTest, ABooksTotalsCountTheRecordsOfItsFolder) {
    world.now = At(60);
    ASSERT_TRUE(log.Record("book", "p1.kif", Outcome::kSolved, At()));
    world.now = At(90);
    ASSERT_TRUE(log.Record("book", "p1.kif", Outcome::kFailed, At(60)));
    ASSERT_TRUE(log.Record("book", "p2.kif", Outcome::kSolved));
    ASSERT_TRUE(log.Record("book", "gone.kif", Outcome::kSolved, At()));  // no longer there
    const studyLog::BookTotals totals =
        studyLog::TotalsOf({"p1.kif", "p2.kif", "p3.kif", "p4.kif"}, log.CycleResults("book", 1));
    EXPECT_EQ(std::vector<int>({totals.records, totals.solved, totals.failed, totals.untried}),
              std::vector<int>({4, 1, 1, 2}));
    EXPECT_EQ(totals.successPercent, 50.0);
    EXPECT_EQ(totals.totalSeconds, 90);
    EXPECT_EQ(totals.averageSeconds, 45);
}

TEST_F(StudyLogTest, ALaterCycleShowsItsOwnMarksAndHistory) {
    world.now = At(66);
    ASSERT_TRUE(log.Record("book", "p1.kif", Outcome::kSolved, At()));
    ASSERT_TRUE(log.Record("book", "p2.kif", Outcome::kSolved));
    EXPECT_EQ(studyLog::HistoryLine(log.HistoryInCycle("book", "p1.kif")),
              "1回　最後：解けた（1分6秒）　最速 1分6秒");
    ASSERT_TRUE(log.StartNewCycle("book"));
    world.now = At(1000);
    ASSERT_TRUE(log.Record("book", "p1.kif", Outcome::kFailed));
    world.now = At(1130);
    ASSERT_TRUE(log.Record("book", "p1.kif", Outcome::kSolved, At(1000)));
    // p2, solved only in the first cycle, is again to be solved.
    EXPECT_EQ(log.LastOutcomes("book"),
              (std::map<std::string, Outcome>{{"p1.kif", Outcome::kSolved}}));
    EXPECT_EQ(studyLog::HistoryLine(log.HistoryInCycle("book", "p1.kif")),
              "今回：2回 解けた（2分10秒）　全体：3回 最速 1分6秒");
    EXPECT_EQ(studyLog::HistoryLine(log.HistoryInCycle("book", "p2.kif")),
              "今回：未挑戦　全体：1回");
}

struct ReviewCase {
    const char* name;
    std::size_t selected;
    std::map<std::string, Outcome> last;
    std::optional<std::size_t> next;
};

class NextUnsolvedTest : public testing::TestWithParam<ReviewCase> {};

TEST_P(NextUnsolvedTest, StepsToTheNextRecordNotSolved) {
    EXPECT_EQ(studyLog::NextUnsolved({"a", "b", "c", "d"}, GetParam().selected, GetParam().last),
              GetParam().next);
}

const std::map<std::string, Outcome> kSomeSolved{
    {"a", Outcome::kSolved}, {"b", Outcome::kFailed}, {"c", Outcome::kSolved}};

INSTANTIATE_TEST_SUITE_P(Rules, NextUnsolvedTest,
                         testing::Values(ReviewCase{"FailedIsNotSolved", 0, kSomeSolved, 1},
                                         ReviewCase{"NeverTriedIsNotSolved", 1, kSomeSolved, 3},
                                         ReviewCase{"GoesRoundFromTheEnd", 3, kSomeSolved, 1},
                                         ReviewCase{"StaysWhenOnlyTheSelectedIsLeft",
                                                    2,
                                                    {{"a", Outcome::kSolved},
                                                     {"b", Outcome::kSolved},
                                                     {"d", Outcome::kSolved}},
                                                    2},
                                         ReviewCase{"NothingWhenAllAreSolved",
                                                    1,
                                                    {{"a", Outcome::kSolved},
                                                     {"b", Outcome::kSolved},
                                                     {"c", Outcome::kSolved},
                                                     {"d", Outcome::kSolved}},
                                                    std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StudyLogTest, CsvKeepsJapaneseCommasAndQuotesWhole) {
    const std::string book = "詰将棋, \"傑作\"集";
    ASSERT_TRUE(log.Record(book, "p001.kif", Outcome::kSolved));
    // What a spreadsheet would run as a formula reaches it as text; the log keeps the names.
    ASSERT_TRUE(log.Record("=2+5", "@SUM(A1).kif", Outcome::kSolved));
    ASSERT_TRUE(log.Record("-1", "+1\t.kif", Outcome::kSolved));
    ASSERT_TRUE(log.Record("\tx", "\rx", Outcome::kSolved));
    ASSERT_TRUE(log.ExportCsv(folder.Join("formulas.csv"), "", false));
    EXPECT_NE(folder.ReadFile("formulas.csv")
                  .find("'=2+5,'@SUM(A1).kif,,2026-12-08T14:15:02,,solved,1\r\n"
                        "'-1,'+1\t.kif,,2026-12-08T14:15:02,,solved,1\r\n"
                        "'\tx,\"'\rx\",,2026-12-08T14:15:02,,solved,1\r\n"),
              std::string::npos);
    EXPECT_EQ(log.LastOutcomes("=2+5").count("@SUM(A1).kif"), 1u);
    ASSERT_TRUE(log.Record("other", "p001.kif", Outcome::kFailed));
    const std::string csv = folder.Join("出力 先.csv");
    ASSERT_TRUE(log.ExportCsv(csv, book, false));
    EXPECT_EQ(folder.ReadFile("出力 先.csv"),
              "\xEF\xBB\xBF"
              "book,record,started,marked,seconds,result,cycle\r\n"
              "\"詰将棋, \"\"傑作\"\"集\",p001.kif,,2026-12-08T14:15:02,,solved,1\r\n");

    // An existing file is replaced only when the caller says so.
    EXPECT_FALSE(log.ExportCsv(csv, "", false));
    EXPECT_EQ(world.messages, std::vector<std::string>{Message(modConst::kMsgCsvExists, csv)});
    ASSERT_TRUE(log.ExportCsv(csv, "", true));
    EXPECT_NE(folder.ReadFile("出力 先.csv").find("other,p001.kif"), std::string::npos);
}

}  // namespace
