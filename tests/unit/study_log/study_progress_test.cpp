#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/study_day.h"
#include "support/study_log/study_progress.h"
#include "unit/study_log/study_log_test_helpers.h"

namespace {

using studyLog::KeptAttempt;
using studyLog::Outcome;
using testing_support::StudyLogTest;

const int kToday = studyDay::DayNumber({2026, 12, 9});  // a Wednesday

// An attempt marked `daysAgo` days before kToday's date, at `hour`.
KeptAttempt On(int daysAgo, int hour = 10, Outcome outcome = Outcome::kSolved,
               std::optional<std::int64_t> seconds = std::nullopt, std::string record = "p1.kif") {
    const studyDay::Date date = studyDay::DateOf(kToday - daysAgo);
    char marked[32];
    std::snprintf(marked, sizeof marked, "%04d-%02d-%02dT%02d:30:00", date.year, date.month,
                  date.day, hour);
    return {"book", std::move(record), marked, outcome, seconds};
}

struct StreakCase {
    const char* name;
    std::vector<KeptAttempt> attempts;
    int current, longest, daysStudied;
};

class StreaksTest : public testing::TestWithParam<StreakCase> {};

TEST_P(StreaksTest, CountDaysInARow) {
    const studyLog::Streaks streaks = studyLog::StreaksOf(GetParam().attempts, kToday);
    EXPECT_EQ(streaks.current, GetParam().current);
    EXPECT_EQ(streaks.longest, GetParam().longest);
    EXPECT_EQ(streaks.daysStudied, GetParam().daysStudied);
    // Counted in one attempt at a time, in any order, as after each mark: the same figures.
    studyLog::StudiedDays studied;
    studyLog::CalendarDays calendar = studyLog::CalendarOf({}, kToday);
    for (auto attempt = GetParam().attempts.rbegin(); attempt != GetParam().attempts.rend();
         ++attempt) {
        studied.Add(*attempt);
        studyLog::AddToCalendar(calendar, *attempt);
    }
    const studyLog::Streaks added = studyLog::StreaksOf(studied, kToday);
    EXPECT_EQ(std::vector<int>({added.current, added.longest, added.daysStudied}),
              std::vector<int>({streaks.current, streaks.longest, streaks.daysStudied}));
    EXPECT_EQ(added.totalSeconds, streaks.totalSeconds);
    const studyLog::CalendarDays whole = studyLog::CalendarOf(GetParam().attempts, kToday);
    for (std::size_t i = 0; i < whole.days.size(); ++i) {
        EXPECT_EQ(calendar.days[i].attempts, whole.days[i].attempts) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Days, StreaksTest,
    testing::Values(
        StreakCase{"None", {}, 0, 0, 0}, StreakCase{"TodayOnly", {On(0), On(0)}, 1, 1, 1},
        StreakCase{"YesterdaysStandsUntilTodayEnds", {On(2), On(1)}, 2, 2, 2},
        StreakCase{"TodayCountsOnceItHasAnAttempt", {On(2), On(1), On(0)}, 3, 3, 3},
        StreakCase{"BrokenTheDayBeforeYesterday", {On(3), On(2)}, 0, 2, 2},
        StreakCase{"TheLongestInThePast", {On(9), On(8), On(7), On(6), On(0)}, 1, 4, 5},
        // 02:00 today counts for yesterday, 03:00 yesterday for the day before.
        StreakCase{"BeforeFourIsTheDayBefore", {On(1, 3), On(0, 2)}, 2, 2, 2},
        StreakCase{
            "ABadTimeCountsNoDay", {{"book", "p", "garbage", Outcome::kSolved, 5}}, 0, 0, 0}),
    [](const testing::TestParamInfo<StreakCase>& info) { return info.param.name; });

TEST(StudyProgressTest, TheLineGivesStreaksDaysAndTime) {
    studyLog::Streaks streaks;
    streaks.current = 3;
    streaks.longest = 12;
    streaks.daysStudied = 40;
    streaks.totalSeconds = 2 * 3600 + 5 * 60 + 59;
    EXPECT_EQ(studyLog::StreakLine(streaks), "連続 3日　最長 12日　学習日数 40日　合計 2時間5分");
    EXPECT_EQ(studyLog::StreakLine({}), "連続 0日　最長 0日　学習日数 0日　合計 0時間0分");
}

TEST(StudyProgressTest, ShadeStepsByAttempts) {
    const std::vector<std::pair<int, int>> steps = {{0, 0},  {1, 1},  {4, 1},  {5, 2},  {9, 2},
                                                    {10, 3}, {19, 3}, {20, 4}, {999, 4}};
    for (const auto& [attempts, step] : steps) {
        EXPECT_EQ(studyLog::ShadeStep(attempts), step) << attempts;
    }
}

TEST(StudyProgressTest, TheCalendarHoldsFiftyThreeWeeksUpToToday) {
    const std::vector<KeptAttempt> attempts = {
        On(0, 9, Outcome::kSolved, 60),
        On(0, 10, Outcome::kFailed, 30),
        On(0, 11, Outcome::kGaveUp),
        On(1, 2, Outcome::kSolved, 15),  // counts for day 2
        On(53 * 7 + 5),                  // before the first
        On(-1),                          // after today
        {"book", "p1.kif", "2026-99-01T10:00:00", Outcome::kSolved, 1}};
    const studyLog::CalendarDays calendar = studyLog::CalendarOf(attempts, kToday);
    EXPECT_EQ(studyDay::Weekday(calendar.firstDay), 0);
    EXPECT_EQ(calendar.days.size(), 52u * 7 + 3);  // through Wednesday
    EXPECT_EQ(calendar.days.back().day, kToday);
    const studyLog::DayTotals& today = calendar.days.back();
    EXPECT_EQ(std::vector<int>(
                  {today.attempts, today.solved, today.failed, today.gaveUp, today.timedAttempts}),
              std::vector<int>({3, 1, 1, 1, 2}));
    EXPECT_EQ(today.seconds, 90);
    EXPECT_EQ(calendar.days[calendar.days.size() - 3].attempts, 1);
    int all = 0;
    for (const studyLog::DayTotals& day : calendar.days) all += day.attempts;
    EXPECT_EQ(all, 4);
    EXPECT_EQ(studyLog::AttemptsOn(attempts, kToday - 2), std::vector<std::size_t>({3}));
}

TEST(StudyProgressTest, CycleBarsGiveTheSuccessRateOfTheRecordsTried) {
    const std::vector<studyLog::CycleBar> bars =
        studyLog::CycleBarsOf({{1, "", 10, 6, 3, 1, 14, 600}, {2, "", 0, 0, 0, 0, 0, {}}});
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].successPercent, 60.0);
    EXPECT_EQ(bars[0].seconds, 600);
    EXPECT_EQ(bars[1].successPercent, std::nullopt);
}

TEST(StudyProgressTest, SolvingTimesKeepTheBooksOrderAndCountWhatHasNoTime) {
    const std::vector<studyLog::BookRecord> records = {
        {"p3.kif", 3}, {"p1.kif", 5}, {"p2.kif", 3}, {"p4.kif", 0}, {"p5.kif", 7}};
    const std::vector<KeptAttempt> attempts = {
        On(3, 10, Outcome::kSolved, 100, "p1.kif"),
        On(2, 10, Outcome::kSolved, 40, "p1.kif"),
        On(2, 10, Outcome::kSolved, 90, "p3.kif"),
        On(1, 10, Outcome::kSolved, 20, "p2.kif"),
        On(1, 10, Outcome::kSolved, 50, "p2.kif"),
        On(1, 10, Outcome::kFailed, 900, "p4.kif"),
        On(1, 10, Outcome::kSolved, {}, "p4.kif"),
        On(1, 10, Outcome::kSolved, -5, "p5.kif"),
        On(1, 10, Outcome::kSolved, 70, "p4.kif"),
        On(1, 10, Outcome::kSolved, 60, "gone.kif"),
        {"other", "p5.kif", "2026-12-08T10:00:00", Outcome::kSolved, 80}};
    const studyLog::SolvingTimes times = studyLog::SolvingTimesOf("book", records, attempts);
    std::vector<std::string> order;
    for (const studyLog::RecordTimes& record : times.records) order.push_back(record.record);
    EXPECT_EQ(order, std::vector<std::string>({"p3.kif", "p1.kif", "p2.kif", "p4.kif"}));
    EXPECT_EQ(times.records[1].seconds, std::vector<std::int64_t>({100, 40}));
    // The slowest by each record's latest time: 90, 70, 50.
    EXPECT_EQ(times.slowest, std::vector<std::size_t>({0, 3, 2}));
    EXPECT_EQ(times.untimedSolved, 2);  // p4's untimed and p5's negative time
    EXPECT_EQ(times.recordsWithoutTime, 1);
    // 3 moves: 90, 20, 50 → 50; 5 moves: 100, 40 → 70; p4 gives no moves.
    ASSERT_EQ(times.byMoves.size(), 2u);
    EXPECT_EQ(std::vector<std::int64_t>({times.byMoves[0].moves, times.byMoves[0].medianSeconds,
                                         times.byMoves[0].attempts}),
              std::vector<std::int64_t>({3, 50, 3}));
    EXPECT_EQ(std::vector<std::int64_t>({times.byMoves[1].moves, times.byMoves[1].medianSeconds}),
              std::vector<std::int64_t>({5, 70}));
}

TEST_F(StudyLogTest, TheLogGivesItsAttemptsInTheOrderMarked) {
    world.now = testing_support::At(30);
    ASSERT_TRUE(log.Record("a", "p1.kif", Outcome::kSolved, testing_support::At()));
    ASSERT_TRUE(log.Record("b", "p2.kif", Outcome::kGaveUp));
    const std::vector<KeptAttempt> all = log.Attempts("");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].book + all[0].record + all[0].marked, "ap1.kif2026-12-08T14:15:32");
    EXPECT_EQ(all[0].seconds, 30);
    EXPECT_EQ(all[1].outcome, Outcome::kGaveUp);
    EXPECT_EQ(all[1].seconds, std::nullopt);
    ASSERT_EQ(log.Attempts("b").size(), 1u);
    EXPECT_EQ(log.Attempts("b")[0].record, "p2.kif");
}

}  // namespace
