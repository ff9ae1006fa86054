#include "gui/study/study_session.h"

#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <utility>

#include "gui/main_thread.h"
#include "gui/study/log_worker.h"
#include "platform/file_ops.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"
#include "support/study_day.h"

namespace quill {
namespace {

// The longest the log waits for the window's first painting.
constexpr int kLongestHoldMilliseconds = 500;

bool Names(const std::vector<studyLog::Notice>& notices, std::string_view message) {
    return std::any_of(notices.begin(), notices.end(),
                       [&](const studyLog::Notice& notice) { return notice.text == message; });
}

}  // namespace

StudySession::StudySession(std::string logPath, int busyMilliseconds, QObject* parent)
    : QObject(parent),
      retentionPercent_(
          static_cast<int>(std::lround(reviewSchedule::Fsrs::kDefaultRetention * 100))),
      logPath_(std::move(logPath)),
      busyMilliseconds_(busyMilliseconds) {}

StudySession::~StudySession() {
    // What is still held is a mark made before the window was ever shown: written all the same.
    Release();
    worker_.reset();
}

void StudySession::WaitForFirstPaint(QWidget& window) {
    held_ = true;
    window.installEventFilter(this);
    // A window that is never painted does not hold the log for long.
    QTimer::singleShot(kLongestHoldMilliseconds, this, [this] { Release(); });
}

bool StudySession::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && held_) {
        watched->removeEventFilter(this);
        // After the painting has been done.
        QMetaObject::invokeMethod(
            this, [this] { Release(); }, Qt::QueuedConnection);
    }
    return false;
}

void StudySession::Release() {
    held_ = false;
    for (LogWorker::Job& job : std::exchange(waiting_, {})) Post(std::move(job));
}

void StudySession::Post(LogWorker::Job job) {
    if (held_) {
        waiting_.push_back(std::move(job));
        return;
    }
    if (!worker_) {
        worker_ = std::make_unique<LogWorker>(logPath_, busyMilliseconds_, [this] {
            QMetaObject::invokeMethod(
                this, [this] { Deliver(); }, Qt::QueuedConnection);
        });
    }
    worker_->Post(std::move(job));
}

void StudySession::Tell(const std::vector<studyLog::Notice>& notices) {
    studyLog::TellNotices(notices);
    std::optional<LogState> state;
    if (Names(notices, modConst::kMsgStudyLogSetAside)) state = LogState::kSetAside;
    if (Names(notices, modConst::kMsgStudyLogNewer)) state = LogState::kNewer;
    if (state && state != state_) {
        state_ = state;
        emit LogStateChanged(*state);
    }
}

void StudySession::Deliver() {
    Q_ASSERT_X(IsMainThread(), "StudySession", "answers off the user-interface thread");
    // One at a time, so that a message box shown by one, which runs the event loop, leaves the
    // rest in their order.
    if (!worker_) return;
    while (LogWorker::Reply reply = worker_->TakeReply()) reply();
}

void StudySession::StartedSolving(const std::string& book, const std::string& record,
                                  std::time_t at) {
    timer_.Start(book, record, at);
}

void StudySession::Mark(const std::string& book, const std::string& record,
                        studyLog::Outcome outcome) {
    studyLog::Attempt attempt{book, record, outcome, outside::World().Now(),
                              timer_.StartOf(book, record)};
    // The timing ends with the mark, and starts again if the mark is withdrawn.
    timer_.End(book, record);
    marking_.push_back(attempt);
    ++writesQueued_;
    Post([this, attempt](studyLog::StudyLog& log) -> LogWorker::Reply {
        const bool fresh = platform::EntryAt(log.path()) == platform::EntryKind::kNothing;
        log.SetNow(attempt.marked);
        const bool kept =
            log.Record(attempt.book, attempt.record, attempt.outcome, attempt.started);
        return [this, attempt, kept, fresh, notices = log.TakeNotices()] {
            --writesQueued_;
            Tell(notices);
            Recorded(attempt, kept, fresh);
        };
    });
    emit AttemptMarked(attempt);
}

void StudySession::Recorded(const studyLog::Attempt& attempt, bool kept, bool fresh) {
    if (!marking_.empty()) marking_.pop_front();
    if (!kept) {
        if (attempt.started && !timer_.StartOf(attempt.book, attempt.record)) {
            timer_.Start(attempt.book, attempt.record, *attempt.started);
        }
        if (state_ != LogState::kNewer && state_ != LogState::kNotWritable) {
            state_ = LogState::kNotWritable;
            emit LogStateChanged(*state_);
        }
        emit AttemptWithdrawn(attempt);
        return;
    }
    if (fresh) {
        state_ = LogState::kFresh;
        emit LogStateChanged(*state_);
    }
    const auto found = books_.find(attempt.book);
    if (found != books_.end()) studyLog::AddAttempt(found->second, attempt);
    if (schedule_) {
        schedule_->Add(attempt.book, attempt.record, studyDay::StudyDayOf(attempt.marked),
                       attempt.outcome);
    }
    emit AttemptRecorded(attempt);
}

void StudySession::StartNewCycle(const std::string& book) {
    const std::time_t now = outside::World().Now();
    ++writesQueued_;
    Post([this, book, now](studyLog::StudyLog& log) -> LogWorker::Reply {
        log.SetNow(now);
        const bool started = log.StartNewCycle(book);
        studyLog::BookStudy study = studyLog::ReadBookStudy(log, book);
        return [this, book, started, study = std::move(study), notices = log.TakeNotices()] {
            --writesQueued_;
            Tell(notices);
            if (!started) return;
            books_[book] = study;
            emit CycleStarted(book, study.cycle);
        };
    });
}

void StudySession::ExportCsv(const std::string& destination, const std::string& book, bool replace,
                             std::function<void(bool written)> done) {
    Post([destination, book, replace, done = std::move(done),
          this](studyLog::StudyLog& log) -> LogWorker::Reply {
        const bool written = log.ExportCsv(destination, book, replace);
        return [this, done, written, notices = log.TakeNotices()] {
            Tell(notices);
            if (done) done(written);
        };
    });
}

void StudySession::ReadAttempts(
    const std::string& book,
    std::function<void(std::vector<studyLog::KeptAttempt> attempts)> done) {
    Post([this, book, done = std::move(done)](studyLog::StudyLog& log) -> LogWorker::Reply {
        auto attempts = std::make_shared<std::vector<studyLog::KeptAttempt>>(log.Attempts(book));
        return [this, done, attempts, notices = log.TakeNotices()] {
            Tell(notices);
            if (done) done(std::move(*attempts));
        };
    });
}

const studyLog::BookStudy* StudySession::Study(const std::string& book) {
    const auto found = books_.find(book);
    if (found != books_.end()) return &found->second;
    if (!reading_.insert(book).second) return nullptr;
    Post([this, book](studyLog::StudyLog& log) -> LogWorker::Reply {
        studyLog::BookStudy study = studyLog::ReadBookStudy(log, book);
        return [this, book, study = std::move(study), notices = log.TakeNotices()] {
            reading_.erase(book);
            Tell(notices);
            // A book that could not be read is asked for again when it is next wanted.
            const bool read = std::none_of(notices.begin(), notices.end(), [](const auto& n) {
                return n.kind == studyLog::Notice::Kind::kWarning;
            });
            if (read) books_[book] = study;
            emit BookRead(book);
        };
    });
    return nullptr;
}

std::map<std::string, studyLog::Outcome> StudySession::LastOutcomes(const std::string& book) {
    const studyLog::BookStudy* study = Study(book);
    std::map<std::string, studyLog::Outcome> outcomes;
    if (study != nullptr) outcomes = study->LastOutcomes();
    for (const studyLog::Attempt& attempt : marking_) {
        if (attempt.book == book) outcomes[attempt.record] = attempt.outcome;
    }
    return outcomes;
}

std::optional<studyLog::Outcome> StudySession::LastOutcome(const std::string& book,
                                                           const std::string& record) {
    for (auto attempt = marking_.rbegin(); attempt != marking_.rend(); ++attempt) {
        if (attempt->book == book && attempt->record == record) return attempt->outcome;
    }
    return History(book, record).inCycle.last;
}

studyLog::CycleHistory StudySession::History(const std::string& book, const std::string& record) {
    const studyLog::BookStudy* study = Study(book);
    return study != nullptr ? study->History(record) : studyLog::CycleHistory{};
}

void StudySession::ReadSchedule(std::function<void()> done) {
    Post([this, done = std::move(done)](studyLog::StudyLog& log) -> LogWorker::Reply {
        const int percent = log.RetentionPercent().value_or(retentionPercent_);
        auto schedule = std::make_shared<reviewSchedule::ReviewSchedule>(
            reviewSchedule::ReplayLog(log, percent / 100.0));
        return [this, done, percent, schedule, notices = log.TakeNotices()] {
            Tell(notices);
            // A retention chosen since this was read is the one in use.
            if (retentionWrites_ > 0 && retentionPercent_ != percent) {
                schedule->SetDesiredRetention(retentionPercent_ / 100.0);
            } else {
                retentionPercent_ = percent;
            }
            schedule_ = std::make_unique<reviewSchedule::ReviewSchedule>(std::move(*schedule));
            emit ScheduleRead();
            if (done) done();
        };
    });
}

void StudySession::SetRetentionPercent(int percent) {
    percent =
        std::clamp(percent, studyLog::kLeastRetentionPercent, studyLog::kGreatestRetentionPercent);
    if (percent == retentionPercent_) return;
    retentionPercent_ = percent;
    ++retentionWrites_;
    if (schedule_) schedule_->SetDesiredRetention(percent / 100.0);
    Post([this, percent](studyLog::StudyLog& log) -> LogWorker::Reply {
        log.SetRetentionPercent(percent);
        return [this, notices = log.TakeNotices()] {
            --retentionWrites_;
            Tell(notices);
        };
    });
}

bool StudySession::Finish() {
    Release();
    if (!worker_) return true;
    const bool done = worker_->WaitUntilIdle(std::chrono::milliseconds(busyMilliseconds_));
    if (!done && worker_->DropWaiting() > 0 && writesQueued_ > 0) {
        // Told now, while the user can still read it: what was marked last is not in the log.
        modFunc::ShowMessageNaming(modConst::kMsgStudyLogNotWritten, logPath());
    }
    Deliver();
    return done;
}

}  // namespace quill
