#pragma once

#include <QObject>
#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gui/study/attempt_timer.h"
#include "gui/study/log_worker.h"
#include "support/review_schedule/review_schedule.h"
#include "support/study_log/book_study.h"
#include "support/study_log/study_log.h"

class QWidget;

namespace quill {

// The study of the books in this run: the study log, written and read on a thread of its own,
// the timing of attempts, and what is remembered of each book's results. Every change is
// announced by a signal; the main window's list and preview and the study windows listen, and
// none of them calls another. User-interface thread only.
class StudySession : public QObject {
    Q_OBJECT

  public:
    // What became of the log file.
    enum class LogState {
        kFresh,        // made by the first attempt
        kSetAside,     // found damaged, moved aside under a dated name; a new one begins
        kNewer,        // of a later version of the program: left alone for the run
        kNotWritable,  // an attempt could not be written to it
    };

    explicit StudySession(std::string logPath = studyLog::StudyLog::DefaultPath(),
                          int busyMilliseconds = studyLog::StudyLog::kDefaultBusyMilliseconds,
                          QObject* parent = nullptr);
    // Waits for the writes queued (at most the busy timeout), then ends.
    ~StudySession() override;

    const std::string& logPath() const { return logPath_; }

    // Leaves the log alone until `window` has first been painted (or a moment has passed), so
    // that opening it takes nothing from the program's start: what is asked meanwhile waits.
    void WaitForFirstPaint(QWidget& window);

    // "開始" started the solving of a record now.
    void StartedSolving(const std::string& book, const std::string& record, std::time_t at);
    // Marks an attempt at a record, now, timed from its latest start: announced at once, then
    // kept in the log or withdrawn (the user is told why).
    void Mark(const std::string& book, const std::string& record, studyLog::Outcome outcome);
    // Starts the next cycle of a book.
    void StartNewCycle(const std::string& book);
    // Writes the attempts (of `book`, or of every book when it is empty) to `destination` as
    // CSV; `done` gets whether it was written, after the user was told of any fault.
    void ExportCsv(const std::string& destination, const std::string& book, bool replace,
                   std::function<void(bool written)> done);

    // Reads every attempt at `book` (at every book when it is empty), in the order marked, on the
    // log's thread, and hands them to `done` (none when there is no log or it could not be read;
    // the user was told why).
    void ReadAttempts(const std::string& book,
                      std::function<void(std::vector<studyLog::KeptAttempt> attempts)> done);

    // What is remembered of a book; nothing until it has been read from the log, which this
    // asks for the first time (BookRead follows).
    const studyLog::BookStudy* Study(const std::string& book);
    // The last outcome of each record of a book, as shown: the marks not yet kept over what is
    // remembered.
    std::map<std::string, studyLog::Outcome> LastOutcomes(const std::string& book);
    std::optional<studyLog::Outcome> LastOutcome(const std::string& book,
                                                 const std::string& record);
    // What is remembered of a record's attempts (those kept), in the book's current cycle and
    // over all.
    studyLog::CycleHistory History(const std::string& book, const std::string& record);

    // The review schedule of every book, as last read (ReadSchedule) and kept current by each
    // attempt kept since; nothing until it has been read. Nothing of it is read at the start.
    const reviewSchedule::ReviewSchedule* Schedule() const { return schedule_.get(); }
    // Replays the log's attempts into the schedule afresh, with the desired retention the log
    // keeps; ScheduleRead follows, then `done`.
    void ReadSchedule(std::function<void()> done = {});
    // The desired retention in whole per cent: the log's, once the schedule has been read.
    int RetentionPercent() const { return retentionPercent_; }
    // The user chose another desired retention: the schedule follows at once, and the log keeps
    // it (nothing is written when it is the one already in use).
    void SetRetentionPercent(int percent);

    // Waits until the log has done what was asked of it, at most the busy timeout, and delivers
    // its answers; true when everything was done. Closing the program calls it: a write still
    // waiting after that is given up, and the user told.
    bool Finish();

  signals:
    // A mark made by the user, at once.
    void AttemptMarked(const studyLog::Attempt& attempt);
    // The mark is kept in the log.
    void AttemptRecorded(const studyLog::Attempt& attempt);
    // The mark could not be kept; the user has been told why.
    void AttemptWithdrawn(const studyLog::Attempt& attempt);
    void CycleStarted(const std::string& book, int cycle);
    // A book's results were read from the log.
    void BookRead(const std::string& book);
    void LogStateChanged(quill::StudySession::LogState state);
    // The review schedule was read from the log.
    void ScheduleRead();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Hands a job to the log's thread, made at the first, or keeps it until the window is shown.
    void Post(LogWorker::Job job);
    void Release();
    // Runs the answers the log has handed back, in order.
    void Deliver();
    void Tell(const std::vector<studyLog::Notice>& notices);
    void Recorded(const studyLog::Attempt& attempt, bool kept, bool fresh);

    AttemptTimer timer_;
    std::map<std::string, studyLog::BookStudy> books_;
    std::set<std::string> reading_;
    std::unique_ptr<reviewSchedule::ReviewSchedule> schedule_;
    int retentionPercent_;
    int retentionWrites_ = 0;                // retentions chosen, not yet kept
    std::deque<studyLog::Attempt> marking_;  // marks not yet kept, the oldest first
    std::optional<LogState> state_;
    int writesQueued_ = 0;
    std::string logPath_;
    int busyMilliseconds_;
    bool held_ = false;
    std::vector<LogWorker::Job> waiting_;  // while held
    std::unique_ptr<LogWorker> worker_;    // last, so that it ends first
};

}  // namespace quill
