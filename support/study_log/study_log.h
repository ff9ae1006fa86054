#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/study_log/sqlite_database.h"

// The study log: every attempt at a record, kept in one SQLite file in the program folder
// (docs/STUDY-LOG.md). Used on one thread at a time: on the user-interface thread it tells the
// user of its faults itself; on a thread of its own (KeepNotices) it keeps them to be handed back.
namespace studyLog {

// What the log has to tell of a fault: a message for the user naming a file, or the reason of a
// failure for the program's log.
struct Notice {
    enum class Kind { kMessage, kWarning };
    Kind kind = Kind::kMessage;
    std::string text;
    std::string path;  // the file a message names
    bool operator==(const Notice&) const = default;
};

// Tells `notices` in their order: warnings to the program's log, messages in a message box.
// User-interface thread only.
void TellNotices(const std::vector<Notice>& notices);

// How an attempt ended. Stored as 'solved', 'failed' and 'gave up'.
enum class Outcome { kSolved, kFailed, kGaveUp };

// What the log holds of one record, for its history line.
struct RecordHistory {
    int attempts = 0;
    std::optional<Outcome> last;              // nothing when never marked
    std::optional<std::int64_t> lastSeconds;  // nothing when the last attempt was not timed
    std::optional<std::int64_t> bestSeconds;  // the quickest timed solved attempt
};

// What the log holds of one record in its book's current cycle and in all.
struct CycleHistory {
    int cycle = 1;          // the book's current cycle
    RecordHistory inCycle;  // the attempts of that cycle
    RecordHistory all;      // every attempt
};

// One record's attempts in one cycle.
struct RecordResults {
    std::string record;
    RecordHistory history;
    std::int64_t totalSeconds = 0;  // of its timed attempts
    int timedAttempts = 0;
};

// The totals of one cycle of a book.
struct CycleTotals {
    int cycle = 1;
    std::string started;  // local time, as in the log
    int records = 0;      // records marked in the cycle
    int solved = 0;       // records whose last attempt in the cycle was solved
    int failed = 0;       // ... failed
    int gaveUp = 0;       // ... given up
    int attempts = 0;
    std::optional<std::int64_t> seconds;  // of the timed attempts; nothing when none was
};

// The desired retentions of the review schedule the log keeps, in whole per cent.
inline constexpr int kLeastRetentionPercent = 70;
inline constexpr int kGreatestRetentionPercent = 97;

// One attempt as the log keeps it.
struct KeptAttempt {
    std::string book;
    std::string record;
    std::string marked;  // local time, as in the log
    Outcome outcome = Outcome::kSolved;
    std::optional<std::int64_t> seconds;  // nothing when it was not timed
};

// The same, as a reader is handed it while the query runs: the texts are views, so a reader
// keeps a copy of what it needs.
struct MarkedAttempt {
    std::string_view book;
    std::string_view record;
    std::string_view marked;
    Outcome outcome = Outcome::kSolved;
    std::optional<std::int64_t> seconds;
};

class StudyLog {
  public:
    // How long an attempt waits for another copy of the program to finish writing: long enough
    // for a commit on a slow USB stick.
    static constexpr int kDefaultBusyMilliseconds = 5000;
    // How long reading for the window waits for another program's lock before it goes on
    // without the log (and says so, once).
    static constexpr int kDefaultReadBusyMilliseconds = 150;

    // The log at `path`; nothing is opened or made until it is used.
    explicit StudyLog(std::string path = DefaultPath(),
                      int busyMilliseconds = kDefaultBusyMilliseconds,
                      int readBusyMilliseconds = kDefaultReadBusyMilliseconds);

    // From now on nothing is told and the clock is not read: notices are kept for TakeNotices()
    // and the time is the one SetNow() last gave, so that the log can run off the user-interface
    // thread.
    void KeepNotices() { keepNotices_ = true; }
    void SetNow(std::time_t now) { now_ = now; }
    // The notices kept since the last call, in their order.
    std::vector<Notice> TakeNotices() { return std::exchange(notices_, {}); }
    // The program folder, the separator, "Quillmere-study.sqlite".
    static std::string DefaultPath();
    const std::string& path() const { return path_; }

    // Records an attempt at `record` of the book folder `book` (their names), marked now by the
    // clock, timed from `started` when given. The log is made if it is missing. True once the
    // attempt is committed to the file; false when it could not be, after telling the user why.
    bool Record(const std::string& book, const std::string& record, Outcome outcome,
                std::optional<std::time_t> started = std::nullopt);

    // What the log holds of each marked record of a book over all its cycles, in record order.
    std::vector<RecordResults> BookResults(const std::string& book);

    // The last outcome in the book's current cycle of each record marked in it, by record name.
    // Empty (and nothing made) when there is no log.
    std::map<std::string, Outcome> LastOutcomes(const std::string& book);
    // Every attempt at a record.
    RecordHistory History(const std::string& book, const std::string& record);
    // A record's attempts in its book's current cycle, and every attempt.
    CycleHistory HistoryInCycle(const std::string& book, const std::string& record);
    // Gives every attempt at a book, or at every book when `book` is empty, to `each`, in the
    // order marked (one query). Nothing (and nothing made) when there is no log; an attempt
    // whose outcome the program does not know is left out. False when there is no log, or it
    // could not be read (the user has been told why).
    bool ReadAttempts(const std::string& book,
                      const std::function<void(const MarkedAttempt&)>& each);
    // The same, kept.
    std::vector<KeptAttempt> Attempts(const std::string& book);

    // The cycle a book is in (1 until a new one is started).
    int CurrentCycle(const std::string& book);
    // Each marked record of a book in one of its cycles, in record order.
    std::vector<RecordResults> CycleResults(const std::string& book, int cycle);
    // The totals of each cycle of a book, the first first.
    std::vector<CycleTotals> Cycles(const std::string& book);
    // Starts the next cycle of a book, from now; a cycle without attempts yet is kept as the
    // current one instead. Makes the log if it is missing. False after telling the user why.
    bool StartNewCycle(const std::string& book);

    // The desired retention of the review schedule, in whole per cent, as the user last chose
    // it: nothing when none was chosen, there is no log (none is made), or what is stored is not
    // a whole number from kLeastRetentionPercent to kGreatestRetentionPercent.
    std::optional<int> RetentionPercent();
    // Keeps `percent` as the desired retention; nothing is written when the log holds it
    // already. Makes the log if it is missing. False for a value the program does not offer,
    // or after telling the user why it could not be kept.
    bool SetRetentionPercent(int percent);

    // Writes the attempts (of `book`, or of every book when it is empty) to `destination` as CSV
    // (docs/STUDY-LOG.md). A file already there is replaced only when `replace` says so. False
    // after telling the user why.
    bool ExportCsv(const std::string& destination, const std::string& book, bool replace);

  private:
    enum class State { kClosed, kOpen, kOff };

    // The open log; with `create`, made when missing. Nothing when it is not there to read, or
    // cannot be opened (the user has been told why).
    sqlite::Database* Connect(bool create);
    bool Open(bool create);
    bool Configure(bool writing);
    sqlite::Result CheckLength();
    bool Migrate(bool writing);
    // Tells the user why, and leaves the log alone for the rest of the run.
    void SwitchOff(std::string_view message);
    // Moves a damaged log aside, so that the next attempt starts a new one.
    void SetAside();
    // Tells the user of a failure, once for reading, at each attempt for writing.
    void Fail(const sqlite::Result& result, bool writing);
    // A message naming `path`, and a reason for the program's log: told, or kept.
    void Tell(std::string_view message, const std::string& path);
    void Warn(const std::string& reason);
    std::time_t Now() const;
    // Runs `step` on the log, made when missing; true when it succeeded.
    bool Write(const std::function<sqlite::Result(sqlite::Database&)>& step);
    RecordHistory HistoryAmong(const std::string& book, const std::string& record,
                               const std::string& filter);
    // Runs a query of the log when there is one; false when there is none or it failed.
    bool Read(std::string_view sql, const std::function<void(sqlite::Statement&)>& bind,
              const std::function<void(const sqlite::Statement&)>& row);

    std::string path_;
    int busyMilliseconds_;
    int readBusyMilliseconds_;
    sqlite::Database database_;
    State state_ = State::kClosed;
    std::string offMessage_;  // why the log is off for the run
    bool readFailureShown_ = false;
    int setAsideCount_ = 0;
    bool keepNotices_ = false;
    std::vector<Notice> notices_;
    std::optional<std::time_t> now_;
};

// The text stored for an outcome, and back.
const char* OutcomeText(Outcome outcome);
std::optional<Outcome> OutcomeOf(std::string_view text);

// The count that an attempt ending in `outcome` adds to, of totals that count each outcome
// (`solved`, `failed` and `gaveUp`).
template <typename Totals>
int& CountOf(Totals& totals, Outcome outcome) {
    switch (outcome) {
        case Outcome::kFailed:
            return totals.failed;
        case Outcome::kGaveUp:
            return totals.gaveUp;
        case Outcome::kSolved:
            break;
    }
    return totals.solved;
}

// `time` as the log keeps it: ISO 8601 local time to the second ("2026-12-08T14:15:02").
std::string LocalTimeText(std::time_t time);

}  // namespace studyLog
