// What takes processes of their own or permissions: a mark survives the program killed right
// after it, two programs marking at once keep every attempt, a folder that cannot be written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace
