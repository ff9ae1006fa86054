// A log that may come from anyone: nothing in it runs, and a log that is not the program's own
// is set aside; names that are not UTF-8; another program's lock while the window reads.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/study_log/study_log_schema.h"
#include "support/utf8_text.h"
#include "unit/study_log/study_log_test_helpers.h"

namespace {

using studyLog::Outcome;
using testing_support::Rows;
using testing_support::StudyLogTest;

enum class Found { kSetAside, kLeftAlone, kNoLog };

struct HostileCase {
    const char* name;
    // Run on a good log; "" leaves an empty file instead, and "bytes:…" a file of those bytes.
    std::string sql;
    Found found;
};

class HostileLogTest : public StudyLogTest, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileLogTest, NothingInItRunsAndNothingElseIsTakenForTheLog) {
    if (GetParam().sql.empty() || GetParam().sql.rfind("bytes:", 0) == 0) {
        folder.WriteFile("Quillmere-study.sqlite",
                         GetParam().sql.substr(GetParam().sql.empty() ? 0 : 6));
    } else {
        studyLog::StudyLog first(LogPath());
        ASSERT_TRUE(first.Record("book", "p001.kif", Outcome::kSolved));
        sqlite::Database own;
        ASSERT_TRUE(sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kExisting, &own));
        const sqlite::Result spoiled = own.Execute(GetParam().sql);
        ASSERT_TRUE(spoiled) << spoiled.message;
    }
    const std::string bytes = folder.ReadFile("Quillmere-study.sqlite");
    EXPECT_TRUE(log.LastOutcomes("book").empty());
    EXPECT_EQ(log.History("book", "p001.kif").attempts, 0);
    const std::string aside = folder.Join("Quillmere-study.damaged-20261208-141502.sqlite");
    switch (GetParam().found) {
        case Found::kSetAside:
            EXPECT_EQ(world.messages,
                      std::vector<std::string>{Message(modConst::kMsgStudyLogSetAside, aside)});
            EXPECT_EQ(folder.ReadFile("Quillmere-study.damaged-20261208-141502.sqlite"), bytes);
            break;
        case Found::kLeftAlone:
            EXPECT_EQ(world.messages,
                      std::vector<std::string>{Message(modConst::kMsgStudyLogNewer, LogPath())});
            EXPECT_EQ(folder.ReadFile("Quillmere-study.sqlite"), bytes);
            return;
        case Found::kNoLog:
            EXPECT_TRUE(world.messages.empty());
            EXPECT_EQ(folder.ReadFile("Quillmere-study.sqlite"), "");
            break;
    }
    // The next attempt starts a log of the program's own.
    ASSERT_TRUE(log.Record("book", "p002.kif", Outcome::kFailed));
    EXPECT_EQ(Rows(LogPath(), "SELECT record FROM attempts"), std::vector<std::string>{"p002.kif"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HostileLogTest,
    testing::Values(
        HostileCase{"LowestVersion", "PRAGMA user_version = -2147483648", Found::kSetAside},
        HostileCase{"VersionMinusOne", "PRAGMA user_version = -1", Found::kSetAside},
        HostileCase{"HighestVersion", "PRAGMA user_version = 2147483647", Found::kLeftAlone},
        HostileCase{"ATrigger",
                    "CREATE TRIGGER more AFTER INSERT ON attempt_log BEGIN "
                    "INSERT INTO cycle_log VALUES ('x', new.id + 1, ''); END",
                    Found::kSetAside},
        HostileCase{"AViewInATablesPlace",
                    "DROP VIEW cycles; ALTER TABLE cycle_log RENAME TO old_cycles; "
                    "CREATE VIEW cycle_log AS SELECT * FROM old_cycles",
                    Found::kSetAside},
        HostileCase{"AForeignTable", "CREATE TABLE notes (text TEXT)", Found::kSetAside},
        HostileCase{"AnEmptyFile", "", Found::kNoLog},
        // Too short for SQLite's header, which SQLite would take for an empty database.
        HostileCase{"AFewBytesOfSomethingElse", "bytes:;", Found::kSetAside}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StudyLogTest, NamesThatAreNotUtf8AreKeptApartAndReadEverywhere) {
    // Two books whose Shift-JIS names are not UTF-8, and one of an earlier version's log that
    // kept such a name as it was.
    const std::string first = "\x8B\x6C\x8F\xAB";
    const std::string second = "\x8B\x6C\x8F\xAC";
    {
        sqlite::Database old;
        ASSERT_TRUE(sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kCreate, &old));
        int found = 0;
        ASSERT_TRUE(studyLog::MigrateForward(old, &found, 2));
        sqlite::Statement insert = old.Prepare(
            "INSERT INTO attempt_log (book, record, marked, result) VALUES (?1, ?2, 'x', "
            "'failed')");
        insert.Bind(1, first);
        insert.Bind(2, "\x96\xE2.kif");
        ASSERT_TRUE(insert.Run());
    }
    ASSERT_TRUE(log.Record(second, "\x96\xE2.kif", Outcome::kSolved));
    EXPECT_EQ(log.LastOutcomes(first),
              (std::map<std::string, Outcome>{{"\x96\xE2.kif", Outcome::kFailed}}));
    EXPECT_EQ(log.LastOutcomes(second),
              (std::map<std::string, Outcome>{{"\x96\xE2.kif", Outcome::kSolved}}));
    for (const std::string& text : Rows(LogPath(), "SELECT book || record FROM attempts")) {
        EXPECT_EQ(utf8::FromUtf8(text).find(U'\uFFFD'), std::u32string::npos) << text;
    }
}

TEST_F(StudyLogTest, ReadingWhileAnotherProgramHoldsTheLogGoesOnWithoutMarks) {
    ASSERT_TRUE(log.Record("book", "p001.kif", Outcome::kSolved));
    studyLog::StudyLog reading(LogPath(), 60000);  // an attempt would wait a minute
    {
        sqlite::Database other;
        ASSERT_TRUE(
            sqlite::Database::OpenFile(LogPath(), sqlite::Database::Open::kExisting, &other));
        ASSERT_TRUE(other.Execute("BEGIN EXCLUSIVE"));
        for (int look = 0; look < 3; ++look) EXPECT_TRUE(reading.LastOutcomes("book").empty());
        EXPECT_EQ(world.messages,
                  std::vector<std::string>{Message(modConst::kMsgStudyLogBusyReading, LogPath())});
    }
    EXPECT_EQ(reading.LastOutcomes("book").size(), 1u);
}

}  // namespace
