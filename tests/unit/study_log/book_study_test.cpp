// What is remembered of a book, kept current attempt by attempt, is what the log would give.
#include "support/study_log/book_study.h"

#include "study_log_test_helpers.h"
#include "support/modConst.h"

namespace {

using studyLog::Attempt;
using studyLog::Outcome;
using namespace testing_support;

// The fields of a record's results, as one text.
std::string Text(const studyLog::RecordResults& r) {
    const auto number = [](const std::optional<std::int64_t>& n) {
        return n ? std::to_string(*n) : std::string("-");
    };
    return r.record + " " + std::to_string(r.history.attempts) + " " +
           (r.history.last ? studyLog::OutcomeText(*r.history.last) : "-") + " " +
           number(r.history.lastSeconds) + " " + number(r.history.bestSeconds) + " " +
           std::to_string(r.totalSeconds) + " " + std::to_string(r.timedAttempts);
}

std::vector<std::string> Text(const studyLog::BookStudy& study) {
    std::vector<std::string> lines{"cycle " + std::to_string(study.cycle)};
    for (const auto& [record, results] : study.currentCycle)
        lines.push_back("now " + Text(results));
    for (const auto& [record, results] : study.allCycles) lines.push_back("all " + Text(results));
    for (const studyLog::CycleTotals& c : study.cycles) {
        lines.push_back(std::to_string(c.cycle) + " " + c.started + " " +
                        std::to_string(c.records) + " " + std::to_string(c.solved) + " " +
                        std::to_string(c.failed) + " " + std::to_string(c.gaveUp) + " " +
                        std::to_string(c.attempts) + " " +
                        (c.seconds ? std::to_string(*c.seconds) : "-"));
    }
    return lines;
}

TEST_F(StudyLogTest, AttemptsAddedToWhatIsRememberedGiveWhatTheLogGives) {
    log.KeepNotices();
    studyLog::BookStudy remembered = studyLog::ReadBookStudy(log, "A");
    const struct {
        const char* record;
        Outcome outcome;
        int marked;
        std::optional<int> started;
        bool newCycleBefore;
    } attempts[] = {
        {"p001.kif", Outcome::kSolved, 100, 10, false},
        {"p001.kif", Outcome::kFailed, 200, {}, false},
        {"p002.kif", Outcome::kGaveUp, 300, 250, false},
        {"p001.kif", Outcome::kSolved, 400, 390, true},
        {"p003.kif", Outcome::kSolved, 500, 600, false},  // started after the mark: untimed
    };
    for (const auto& a : attempts) {
        if (a.newCycleBefore) {
            log.SetNow(At(a.marked - 1));
            ASSERT_TRUE(log.StartNewCycle("A"));
            remembered = studyLog::ReadBookStudy(log, "A");
        }
        Attempt attempt{"A", a.record, a.outcome, At(a.marked), std::nullopt};
        if (a.started) attempt.started = At(*a.started);
        log.SetNow(attempt.marked);
        ASSERT_TRUE(log.Record(attempt.book, attempt.record, attempt.outcome, attempt.started));
        studyLog::AddAttempt(remembered, attempt);
        EXPECT_EQ(Text(remembered), Text(studyLog::ReadBookStudy(log, "A"))) << a.record;
    }
    EXPECT_EQ(remembered.History("p001.kif").all.attempts, 3);
    EXPECT_EQ(remembered.History("p001.kif").inCycle.attempts, 1);
    EXPECT_EQ(remembered.LastOutcomes().at("p001.kif"), Outcome::kSolved);
    EXPECT_EQ(remembered.LastOutcomes().count("p002.kif"), 0u);
    EXPECT_TRUE(log.TakeNotices().empty());
}

// A log that keeps its notices tells nothing itself and hands them back in order.
TEST_F(StudyLogTest, ALogThatKeepsItsNoticesTellsNothingAndHandsThemBack) {
    folder.WriteFile("Quillmere-study.sqlite", std::string(4096, 'x'));
    log.KeepNotices();
    log.SetNow(At());
    EXPECT_TRUE(log.LastOutcomes("A").empty());
    EXPECT_TRUE(world.messages.empty());
    const std::vector<studyLog::Notice> notices = log.TakeNotices();
    const std::string aside = folder.Join("Quillmere-study.damaged-20261208-141502.sqlite");
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(),
              (studyLog::Notice{studyLog::Notice::Kind::kMessage,
                                std::string(modConst::kMsgStudyLogSetAside), aside}));
    EXPECT_TRUE(log.TakeNotices().empty());
    studyLog::TellNotices(notices);
    EXPECT_EQ(world.messages,
              std::vector<std::string>{Message(modConst::kMsgStudyLogSetAside, aside)});
}

}  // namespace
