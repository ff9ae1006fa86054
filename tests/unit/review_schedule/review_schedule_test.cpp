// The replay of the study log's attempts: ratings, study days, and what the window counts.
// The numbers are the reference implementation's for the same reviews (fsrs_golden_test.cpp).
#include "support/review_schedule/review_schedule.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "unit/study_log/study_log_test_helpers.h"

namespace {

using reviewSchedule::ReviewSchedule;
using studyLog::Outcome;

struct Mark {
    const char* marked;
    Outcome outcome;
};

struct ReplayCase {
    const char* name;
    std::vector<Mark> marks;  // of one record, in the order marked
    double stability;
    double difficulty;
    const char* due;
};

TEST(ReviewSchedule, ReplaysARecordsAttemptsByStudyDay) {
    const std::vector<ReplayCase> cases = {
        {"solved is Good",
         {{"2026-12-08T10:00:00", Outcome::kSolved}},
         2.3065,
         2.11810397,
         "2026-12-10"},
        {"failed is Again",
         {{"2026-12-08T10:00:00", Outcome::kFailed}},
         0.212,
         6.4133,
         "2026-12-09"},
        {"gave up is Again",
         {{"2026-12-08T10:00:00", Outcome::kGaveUp}},
         0.212,
         6.4133,
         "2026-12-09"},
        {"a failure later the same day",
         {{"2026-12-08T10:00:00", Outcome::kSolved}, {"2026-12-08T23:30:00", Outcome::kFailed}},
         0.77508398,
         7.39450274,
         "2026-12-09"},
        {"02:00 belongs to the day before",
         {{"2026-12-08T10:00:00", Outcome::kSolved}, {"2026-12-09T02:00:00", Outcome::kSolved}},
         2.3065,
         2.11121424,
         "2026-12-11"},
        {"04:00 begins a day",
         {{"2026-12-08T10:00:00", Outcome::kSolved}, {"2026-12-09T04:00:00", Outcome::kSolved}},
         7.31530068,
         2.11121424,
         "2026-12-16"},
        {"a clock set back counts as the same day",
         {{"2026-12-08T10:00:00", Outcome::kSolved}, {"2026-12-01T10:00:00", Outcome::kSolved}},
         2.3065,
         2.11121424,
         "2026-12-11"},
        {"lapses and recalls",
         {{"2026-12-08T10:00:00", Outcome::kFailed},
          {"2026-12-10T10:00:00", Outcome::kSolved},
          {"2026-12-10T21:00:00", Outcome::kGaveUp},
          {"2026-12-15 09:00:00", Outcome::kSolved}},
         3.57838767,
         8.7890538,
         "2026-12-19"},
    };
    for (const ReplayCase& test : cases) {
        SCOPED_TRACE(test.name);
        ReviewSchedule schedule;
        for (const Mark& mark : test.marks) {
            EXPECT_TRUE(schedule.Add({"A", "p001.kif", mark.marked, mark.outcome, {}}));
        }
        ASSERT_EQ(schedule.records().size(), 1u);
        const reviewSchedule::RecordSchedule& record = schedule.records()[0];
        EXPECT_NEAR(record.step.memory.stability, test.stability, 1e-8);
        EXPECT_NEAR(record.step.memory.difficulty, test.difficulty, 1e-8);
        EXPECT_EQ(studyDay::DateText(record.due), test.due);
        EXPECT_EQ(record.attempts, static_cast<int>(test.marks.size()));
        EXPECT_EQ(record.last, test.marks.back().outcome);
    }
}

TEST(ReviewSchedule, ARecordOfTheSameNameInTwoBooksIsTwoRecords) {
    ReviewSchedule schedule;
    schedule.Add({"A", "p001.kif", "2026-12-08T10:00:00", Outcome::kSolved, {}});
    schedule.Add({"B", "p001.kif", "2026-12-08T10:05:00", Outcome::kFailed, {}});
    EXPECT_FALSE(schedule.Add({"B", "p001.kif", "yesterday", Outcome::kSolved, {}}));
    ASSERT_EQ(schedule.records().size(), 2u);
    EXPECT_EQ(schedule.Find("A", "p001.kif")->last, Outcome::kSolved);
    EXPECT_EQ(schedule.Find("B", "p001.kif")->last, Outcome::kFailed);
    EXPECT_EQ(schedule.Find("B", "p001.kif")->attempts, 1);
    EXPECT_EQ(schedule.Find("C", "p001.kif"), nullptr);
}

TEST(ReviewSchedule, CountsAndOrdersWhatIsDue) {
    const auto day = [](const char* date) {
        return *studyDay::StudyDayOfLocalText(std::string(date) + "T12:00:00");
    };
    ReviewSchedule schedule;
    // Due 12-09, 12-10, 12-09, 12-10 and 12-16 (ReplaysARecordsAttemptsByStudyDay).
    schedule.Add({"B", "p002.kif", "2026-12-08T10:00:00", Outcome::kFailed, {}});
    schedule.Add({"A", "p002.kif", "2026-12-08T10:00:00", Outcome::kSolved, {}});
    schedule.Add({"A", "p001.kif", "2026-12-08T10:00:00", Outcome::kGaveUp, {}});
    schedule.Add({"A", "p003.kif", "2026-12-08T10:00:00", Outcome::kSolved, {}});
    schedule.Add({"A", "p004.kif", "2026-12-08T10:00:00", Outcome::kSolved, {}});
    schedule.Add({"A", "p004.kif", "2026-12-09T05:00:00", Outcome::kSolved, {}});

    const reviewSchedule::ScheduleCounts counts = schedule.Counts(day("2026-12-10"));
    EXPECT_EQ(counts.dueNow, 4);
    EXPECT_EQ(counts.overdue, 2);
    EXPECT_EQ(counts.dueTomorrow, 0);
    EXPECT_EQ(counts.later, 1);
    EXPECT_EQ(schedule.Counts(day("2026-12-09")).dueTomorrow, 2);

    std::vector<std::string> due;
    for (const reviewSchedule::RecordSchedule* record : schedule.Due(day("2026-12-10"))) {
        due.push_back(record->book + "/" + record->record + " " +
                      std::to_string(ReviewSchedule::OverdueDays(*record, day("2026-12-10"))));
    }
    EXPECT_EQ(due, (std::vector<std::string>{"A/p001.kif 1", "B/p002.kif 1", "A/p002.kif 0",
                                             "A/p003.kif 0"}));
    EXPECT_EQ(studyDay::DateText(*schedule.NextDueAfter(day("2026-12-10"))), "2026-12-16");
    EXPECT_FALSE(schedule.NextDueAfter(day("2026-12-16")));
    EXPECT_NEAR(schedule.Retrievability(*schedule.Find("A", "p002.kif"), day("2026-12-11")),
                0.88094796, 1e-8);
    EXPECT_EQ(reviewSchedule::CountNeverTried(schedule, "A", {"p001.kif", "p005.kif", "p006.kif"}),
              2);

    // A higher retention brings reviews forward; the memories stay.
    schedule.SetDesiredRetention(0.97);
    EXPECT_EQ(studyDay::DateText(schedule.Find("A", "p004.kif")->due), "2026-12-11");
    EXPECT_EQ(schedule.Counts(day("2026-12-11")).dueNow, 5);
}

// The log's attempts, read in batches of three while another thread replays them, make the
// schedule the same attempts make replayed one by one.
class ReplayLogTest : public testing_support::StudyLogTest {};

TEST_F(ReplayLogTest, ReplaysInBatchesWhatReplayingOneByOneGives) {
    const char* const records[] = {"p001.kif", "p002.kif", "p001.kif", "p003.kif", "p001.kif"};
    for (int day = 0; day < 5; ++day) {
        for (const char* book : {"A", "B"}) {
            world.now = testing_support::At(day * 86400 + 60);
            ASSERT_TRUE(
                log.Record(book, records[day], day % 3 == 1 ? Outcome::kFailed : Outcome::kSolved));
        }
    }
    std::vector<studyLog::KeptAttempt> kept = log.Attempts("");
    ASSERT_EQ(kept.size(), 10u);
    std::vector<studyLog::MarkedAttempt> attempts;
    for (const studyLog::KeptAttempt& attempt : kept) {
        attempts.push_back({attempt.book, attempt.record, attempt.marked, attempt.outcome, {}});
    }
    const ReviewSchedule one = reviewSchedule::ReplayAttempts(attempts, 0.85);
    const ReviewSchedule batched = reviewSchedule::ReplayLog(log, 0.85, 3);
    ASSERT_EQ(batched.records().size(), one.records().size());
    for (std::size_t i = 0; i < one.records().size(); ++i) {
        const auto& expected = one.records()[i];
        const auto& got = batched.records()[i];
        EXPECT_EQ(std::tie(got.book, got.record, got.attempts, got.last, got.lastDay, got.due),
                  std::tie(expected.book, expected.record, expected.attempts, expected.last,
                           expected.lastDay, expected.due));
        EXPECT_EQ(got.step.memory.stability, expected.step.memory.stability);
    }
}

}  // namespace
