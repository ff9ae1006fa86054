#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/study_log/history_line.h"
#include "support/study_log/study_log_schema.h"
#include "unit/study_log/study_log_test_helpers.h"

namespace {

using studyLog::Outcome;
using testing_support::At;
using testing_support::Rows;
using testing_support::StudyLogTest;

// A book name from a Japanese system, with the full-width space such names often have.
const std::string kBook = "詰将棋　第１巻";

TEST_F(StudyLogTest, NothingIsMadeUntilAnAttemptIsRecorded) {
    EXPECT_EQ(studyLog::StudyLog::DefaultPath(), LogPath());
    EXPECT_TRUE(log.LastOutcomes(kBook).empty());
    EXPECT_EQ(log.History(kBook, "p010.kif").attempts, 0);
    EXPECT_TRUE(log.Cycles(kBook).empty());
    EXPECT_EQ(log.CurrentCycle(kBook), 1);
    EXPECT_FALSE(folder.Exists("Quillmere-study.sqlite"));

    // Timed from 開始 192 seconds before; then a mark with no start of its own.
    world.now = At(192);
    ASSERT_TRUE(log.Record(kBook, "p010.kif", Outcome::kSolved, At()));
    world.now = At(300);
    ASSERT_TRUE(log.Record(kBook, "p010.kif", Outcome::kGaveUp));
    EXPECT_EQ(Rows(LogPath(), "SELECT * FROM attempts"),
              (std::vector<std::string>{
                  kBook + "|p010.kif|2026-12-08T14:15:02|2026-12-08T14:18:14|192|solved|1",
                  kBook + "|p010.kif|-|2026-12-08T14:20:02|-|gave up|1"}));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(StudyLogTest, EachRecordShowsItsLastMarkInItsOwnBook) {
    ASSERT_TRUE(log.Record(kBook, "p010.kif", Outcome::kFailed));
    ASSERT_TRUE(log.Record(kBook, "p010.kif", Outcome::kSolved));
    ASSERT_TRUE(log.Record(kBook, "p012.kif", Outcome::kFailed));
    ASSERT_TRUE(log.Record("other", "p012.kif", Outcome::kSolved));
    EXPECT_EQ(log.LastOutcomes(kBook),
              (std::map<std::string, Outcome>{{"p010.kif", Outcome::kSolved},
                                              {"p012.kif", Outcome::kFailed}}));
}

TEST_F(StudyLogTest, AllAttemptsComeInTheOrderMarked) {
    std::vector<std::string> all;
    const auto read = [&](const studyLog::MarkedAttempt& attempt) {
        all.push_back(std::string(attempt.book) + "|" + std::string(attempt.record) + "|" +
                      std::string(attempt.marked) + "|" + studyLog::OutcomeText(attempt.outcome));
    };
    EXPECT_FALSE(log.ReadAttempts("", read));
    EXPECT_FALSE(folder.Exists("Quillmere-study.sqlite"));
    ASSERT_TRUE(log.Record(kBook, "p012.kif", Outcome::kGaveUp));
    world.now = At(60);
    ASSERT_TRUE(log.Record("other", "p010.kif", Outcome::kSolved));
    EXPECT_TRUE(log.ReadAttempts("", read));
    EXPECT_EQ(all, (std::vector<std::string>{kBook + "|p012.kif|2026-12-08T14:15:02|gave up",
                                             "other|p010.kif|2026-12-08T14:16:02|solved"}));
}

// ---- The history line ---------------------------------------------------------------------

struct Mark {
    Outcome outcome;
    int seconds;  // -1: not timed
};
struct HistoryCase {
    const char* name;
    std::vector<Mark> marks;
    std::string line;
};

class HistoryLineTest : public StudyLogTest, public testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryLineTest, SaysHowOftenTheLastOutcomeAndTheBestTime) {
    for (const Mark& mark : GetParam().marks) {
        world.now = At(mark.seconds < 0 ? 0 : mark.seconds);
        ASSERT_TRUE(log.Record(kBook, "p010.kif", mark.outcome,
                               mark.seconds < 0 ? std::nullopt : std::optional(At())));
    }
    ASSERT_TRUE(log.Record(kBook, "p011.kif", Outcome::kSolved, At()));  // another record
    EXPECT_EQ(studyLog::HistoryLine(log.History(kBook, "p010.kif")), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HistoryLineTest,
    testing::Values(HistoryCase{"NeverMarked", {}, ""},
                    HistoryCase{
                        "TheBestOfTheSolvedTimes",
                        {{Outcome::kSolved, 160}, {Outcome::kFailed, 20}, {Outcome::kSolved, 192}},
                        "3回　最後：解けた（3分12秒）　最速 2分40秒"},
                    HistoryCase{"AnUntimedLastAttemptHasNoTime",
                                {{Outcome::kSolved, 45}, {Outcome::kFailed, -1}},
                                "2回　最後：解けなかった　最速 45秒"},
                    HistoryCase{"NoBestWithoutATimedSolve",
                                {{Outcome::kSolved, -1}, {Outcome::kGaveUp, 3725}},
                                "2回　最後：やめた（1時間2分5秒）"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Versions -----------------------------------------------------------------------------

TEST_F(StudyLogTest, AnOlderLogGainsTheNewSchemaAndKeepsItsAttempts) {
    {
        sqlite::Database old;
        ASSERT_TRUE(sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kCreate, &old));
        int found = -1;
        ASSERT_TRUE(studyLog::MigrateForward(old, &found, 1));
        ASSERT_TRUE(old.Execute(
            "INSERT INTO attempt_log (book, record, started, marked, seconds, result) VALUES "
            "('" +
            kBook +
            "', 'p001.kif', NULL, '2026-01-05T10:00:00', NULL, 'failed'), "
            "('" +
            kBook +
            "', 'p001.kif', '2026-01-06T09:00:00', '2026-01-06T09:01:00', 60, "
            "'solved')"));
    }
    EXPECT_EQ(studyLog::HistoryLine(log.History(kBook, "p001.kif")),
              "2回　最後：解けた（1分0秒）　最速 1分0秒");
    EXPECT_EQ(Rows(LogPath(), "PRAGMA user_version"),
              std::vector<std::string>{std::to_string(studyLog::kSchemaVersion)});
    EXPECT_EQ(Rows(LogPath(),
                   "SELECT book, cycle, started, solved, failed, attempts, seconds "
                   "FROM cycles"),
              std::vector<std::string>{kBook + "|1|2026-01-05T10:00:00|1|0|2|60"});
}

// The desired retention: none until chosen (reading makes no log), a log of version 3 gains its
// table and keeps its attempts, and the same value again writes nothing.
TEST_F(StudyLogTest, TheDesiredRetentionIsKeptOnlyWhenItChanges) {
    EXPECT_EQ(log.RetentionPercent(), std::nullopt);
    EXPECT_FALSE(folder.Exists("Quillmere-study.sqlite"));
    {
        sqlite::Database old;
        ASSERT_TRUE(sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kCreate, &old));
        int found = -1;
        ASSERT_TRUE(studyLog::MigrateForward(old, &found, 3));
        ASSERT_TRUE(
            old.Execute("INSERT INTO attempt_log (book, record, marked, result) VALUES "
                        "('" +
                        kBook + "', 'p001.kif', '2026-01-05T10:00:00', 'failed')"));
    }
    studyLog::StudyLog again(LogPath());
    EXPECT_EQ(again.RetentionPercent(), std::nullopt);
    EXPECT_EQ(Rows(LogPath(), "PRAGMA user_version"), std::vector<std::string>{"4"});
    EXPECT_EQ(again.Attempts(kBook).size(), 1u);
    EXPECT_FALSE(again.SetRetentionPercent(69));
    EXPECT_FALSE(again.SetRetentionPercent(98));
    ASSERT_TRUE(again.SetRetentionPercent(85));
    const std::string bytes = folder.ReadFile("Quillmere-study.sqlite");
    ASSERT_TRUE(again.SetRetentionPercent(85));
    EXPECT_EQ(folder.ReadFile("Quillmere-study.sqlite"), bytes);
    ASSERT_TRUE(again.SetRetentionPercent(97));
    EXPECT_EQ(log.RetentionPercent(), 97);
    EXPECT_EQ(Rows(LogPath(), "SELECT * FROM review_settings"), std::vector<std::string>{"1|97"});
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(StudyLogTest, ALogOfALaterVersionIsLeftAsItIs) {
    ASSERT_TRUE(log.Record(kBook, "p001.kif", Outcome::kSolved));
    {
        sqlite::Database later;
        ASSERT_TRUE(
            sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kExisting, &later));
        ASSERT_TRUE(later.Execute("PRAGMA user_version = 99"));
    }
    const std::string bytes = folder.ReadFile("Quillmere-study.sqlite");
    studyLog::StudyLog again(LogPath());
    EXPECT_TRUE(again.LastOutcomes(kBook).empty());
    EXPECT_FALSE(again.Record(kBook, "p002.kif", Outcome::kFailed));
    const std::string newer = Message(modConst::kMsgStudyLogNewer, LogPath());
    EXPECT_EQ(world.messages, (std::vector<std::string>{newer, newer}));
    EXPECT_EQ(folder.ReadFile("Quillmere-study.sqlite"), bytes);
}

TEST_F(StudyLogTest, AnAttemptWhileAnotherProgramHoldsTheLogSaysSoAndLosesNothing) {
    ASSERT_TRUE(log.Record(kBook, "p001.kif", Outcome::kSolved));
    studyLog::StudyLog waiting(LogPath(), 50);
    {
        sqlite::Database other;
        ASSERT_TRUE(
            sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kExisting, &other));
        ASSERT_TRUE(other.Execute("BEGIN EXCLUSIVE"));
        EXPECT_FALSE(waiting.Record(kBook, "p002.kif", Outcome::kFailed));
        EXPECT_EQ(world.messages,
                  std::vector<std::string>{Message(modConst::kMsgStudyLogBusy, LogPath())});
    }
    EXPECT_TRUE(waiting.Record(kBook, "p003.kif", Outcome::kFailed));
    EXPECT_EQ(Rows(LogPath(), "SELECT record FROM attempts"),
              (std::vector<std::string>{"p001.kif", "p003.kif"}));
}

// ---- A damaged log ------------------------------------------------------------------------

struct DamageCase {
    const char* name;
    // The bytes of a damaged log, from those of a good one.
    std::string (*damage)(const std::string& good);
};

class DamagedLogTest : public StudyLogTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedLogTest, IsKeptUnderADatedNameAndANewLogStarts) {
    // Enough attempts for the table to take many pages; closed again, as Windows moves no file
    // that is open.
    {
        studyLog::StudyLog first(LogPath());
        ASSERT_TRUE(first.Record(kBook, "p000.kif", Outcome::kSolved));
        sqlite::Database good;
        ASSERT_TRUE(
            sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kExisting, &good));
        ASSERT_TRUE(good.Execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
            "INSERT INTO attempt_log (book, record, marked, result) "
            "SELECT 'book', 'p' || i || '.kif', '2026-12-08T14:15:02', 'failed' FROM n"));
    }
    const std::string damaged = GetParam().damage(folder.ReadFile("Quillmere-study.sqlite"));
    folder.WriteFile("Quillmere-study.sqlite", damaged);

    studyLog::StudyLog again(LogPath());
    for (int look = 0; look < 2; ++look) EXPECT_TRUE(again.LastOutcomes(kBook).empty());
    const std::string aside = folder.Join("Quillmere-study.damaged-20261208-141502.sqlite");
    EXPECT_EQ(world.messages,
              std::vector<std::string>{Message(modConst::kMsgStudyLogSetAside, aside)});
    EXPECT_EQ(folder.ReadFile("Quillmere-study.damaged-20261208-141502.sqlite"), damaged);
    EXPECT_FALSE(folder.Exists("Quillmere-study.sqlite"));

    EXPECT_TRUE(again.Record(kBook, "p001.kif", Outcome::kFailed));
    EXPECT_EQ(again.LastOutcomes(kBook).size(), 1u);
    EXPECT_EQ(world.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedLogTest,
                         testing::Values(DamageCase{"RandomBytes",
                                                    [](const std::string& good) {
                                                        std::string bytes(good.size(), '\0');
                                                        unsigned seed = 12345;
                                                        for (char& c : bytes) {
                                                            seed = seed * 1103515245u + 12345u;
                                                            c = static_cast<char>(seed >> 16);
                                                        }
                                                        return bytes;
                                                    }},
                                         DamageCase{"CutShort",
                                                    [](const std::string& good) {
                                                        return good.substr(0, good.size() / 2);
                                                    }}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
