// What takes processes of their own or permissions: a mark survives the program killed right
// after it, two programs marking at once keep every attempt, a folder that cannot be written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "unit/study_log/study_log_test_helpers.h"

namespace {

using studyLog::Outcome;
using testing_support::StudyLogTest;

// Runs `child` in a process of its own; gives its wait status.
pid_t Spawn(const std::function<void()>& child) {
    const pid_t pid = fork();
    if (pid == 0) {
        child();
        _exit(0);
    }
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

TEST_F(StudyLogTest, AMarkIsInTheFileWhenItsProgramIsKilledRightAfter) {
    const pid_t pid = Spawn([this] {
        studyLog::StudyLog own(LogPath());
        if (own.Record("book", "p010.kif", Outcome::kSolved)) kill(getpid(), SIGKILL);
    });
    const int status = WaitFor(pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(log.History("book", "p010.kif").attempts, 1);
}

TEST_F(StudyLogTest, TwoProgramsMarkingAtOnceKeepEveryAttempt) {
    constexpr int kEach = 40;
    std::vector<pid_t> writers;
    for (const char* book : {"first", "second"}) {
        writers.push_back(Spawn([this, book] {
            studyLog::StudyLog own(LogPath());
            for (int i = 0; i < kEach; ++i) {
                if (!own.Record(book, "p" + std::to_string(i) + ".kif", Outcome::kFailed)) {
                    _exit(1);
                }
            }
        }));
    }
    for (pid_t writer : writers) EXPECT_EQ(WaitFor(writer), 0);
    EXPECT_EQ(log.LastOutcomes("first").size(), static_cast<std::size_t>(kEach));
    EXPECT_EQ(log.LastOutcomes("second").size(), static_cast<std::size_t>(kEach));
}

// ---- A program folder that cannot be written ----------------------------------------------

struct ReadOnlyCase {
    const char* name;
    std::string log;           // what stands in the folder first ("" for nothing)
    std::string_view message;  // told at each attempt, and where the log is read first, there
    int told;                  // how often in all
};

class StudyLogReadOnlyTest : public StudyLogTest,
                             public testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(StudyLogReadOnlyTest, AnAttemptThatCannotBeRecordedSaysWhereAndLosesNothing) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    if (!GetParam().log.empty()) folder.WriteFile("Quillmere-study.sqlite", GetParam().log);
    ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
    EXPECT_TRUE(log.LastOutcomes("book").empty());
    EXPECT_FALSE(log.Record("book", "p001.kif", Outcome::kSolved));
    EXPECT_FALSE(log.Record("book", "p002.kif", Outcome::kSolved));
    const std::string told = Message(GetParam().message, LogPath());
    EXPECT_EQ(world.messages, std::vector<std::string>(GetParam().told, told));
    EXPECT_EQ(folder.Exists("Quillmere-study.sqlite"), !GetParam().log.empty());
    if (!GetParam().log.empty()) {
        EXPECT_EQ(folder.ReadFile("Quillmere-study.sqlite"), GetParam().log);
    }
    EXPECT_FALSE(log.ExportCsv(folder.Join("book.csv"), "book", false));
    EXPECT_FALSE(folder.Exists("book.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StudyLogReadOnlyTest,
    testing::Values(ReadOnlyCase{"NoLogYet", "", modConst::kMsgStudyLogNotWritten, 2},
                    ReadOnlyCase{"DamagedLogThatCannotBeMoved", std::string(5000, 'x'),
                                 modConst::kMsgStudyLogDamaged, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Where a CSV may not go -------------------------------------------------------------

struct ExportCase {
    const char* name;
    // Makes what stands at the destination (the old file: "old" in it) and gives its path.
    std::string (*destination)(const testing_support::TempFolder& folder);
    std::string_view message;  // told when refused or failed; empty when written
    bool fullDisk = false;
};

class ExportDestinationTest : public StudyLogTest,
                              public testing::WithParamInterface<ExportCase> {};

TEST_P(ExportDestinationTest, NothingButAnOrdinaryFileIsWrittenAndAFailureKeepsTheOld) {
    ASSERT_TRUE(log.Record("book", std::string(300, 'p') + ".kif", Outcome::kSolved));
    const std::string bytes = folder.ReadFile("Quillmere-study.sqlite");
    const std::string destination = GetParam().destination(folder);
    rlimit was{};
    if (GetParam().fullDisk) {
        // A file may grow no further than 100 bytes: as a full disk does, write() fails.
        signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &was), 0);
        rlimit tiny = was;
        tiny.rlim_cur = 100;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    }
    const bool written = log.ExportCsv(destination, "book", true);
    if (GetParam().fullDisk) setrlimit(RLIMIT_FSIZE, &was);
    EXPECT_EQ(written, GetParam().message.empty());
    if (!GetParam().message.empty()) {
        EXPECT_EQ(world.messages,
                  std::vector<std::string>{Message(GetParam().message, destination)});
    }
    EXPECT_EQ(folder.ReadFile("Quillmere-study.sqlite"), bytes);
    // The old file is replaced whole, or left as it was.
    if (folder.Exists("old.csv")) {
        EXPECT_EQ(folder.ReadFile("old.csv") == "old", !written);
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_NE(entry.path().extension(), ".tmp");  // no temporary file is left
    }
}

std::string OldFile(const testing_support::TempFolder& folder) {
    return folder.WriteFile("old.csv", "old");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ExportDestinationTest,
    testing::Values(ExportCase{"TheLogItself",
                               [](const testing_support::TempFolder& folder) {
                                   return folder.Join("Quillmere-study.sqlite");
                               },
                               modConst::kMsgCsvIsTheLog},
                    ExportCase{"TheLogByAnotherName",
                               [](const testing_support::TempFolder& folder) {
                                   const std::string link = folder.Join("log.csv");
                                   EXPECT_EQ(symlink(folder.Join("Quillmere-study.sqlite").c_str(),
                                                     link.c_str()),
                                             0);
                                   return folder.Join("log.csv");
                               },
                               modConst::kMsgCsvIsTheLog},
                    ExportCase{"ItsJournal",
                               [](const testing_support::TempFolder& folder) {
                                   return folder.Join(".") + "/Quillmere-study.SQLITE-journal";
                               },
                               modConst::kMsgCsvIsTheLog},
                    ExportCase{"APipe",
                               [](const testing_support::TempFolder& folder) {
                                   const std::string pipe = folder.Join("pipe.csv");
                                   EXPECT_EQ(mkfifo(pipe.c_str(), 0600), 0);
                                   return pipe;
                               },
                               modConst::kMsgCsvNotAFile},
                    ExportCase{"AFolder",
                               [](const testing_support::TempFolder& folder) {
                                   return folder.MakeFolder("folder.csv");
                               },
                               modConst::kMsgCsvNotAFile},
                    ExportCase{"AFullDisk", OldFile, modConst::kMsgCsvNotWritten, true},
                    ExportCase{"AnExistingFile", OldFile, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
