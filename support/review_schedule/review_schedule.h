#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "support/review_schedule/fsrs.h"
#include "support/study_day.h"
#include "support/study_log/study_log.h"

// When each record is next due for review, computed by replaying the study log's attempts
// through FSRS-6 (docs/STUDY-LOG.md): nothing of the schedule is stored. Plain data, on any
// thread.
namespace reviewSchedule {

// A study day, as support/study_day.h numbers it.
using StudyDay = int;

// The desired retentions the program offers.
constexpr double kLeastRetention = 0.70;
constexpr double kGreatestRetention = 0.97;

// The rating an outcome counts as: solved is Good; failed and given up are Again.
Rating RatingOf(studyLog::Outcome outcome);

// A record of a book that has been tried, as its attempts leave it.
struct RecordSchedule {
    std::string book;
    std::string record;
    int attempts = 0;  // those replayed
    studyLog::Outcome last = studyLog::Outcome::kSolved;
    StudyDay lastDay = 0;  // of the last attempt
    ReviewStep step;       // the memory after it
    StudyDay due = 0;      // the day the next review is due, at the schedule's retention
};

// The counts of a schedule on a day, as the review window shows them.
struct ScheduleCounts {
    int dueNow = 0;       // due on the day or before
    int overdue = 0;      // of them, due before the day
    int dueTomorrow = 0;  // due the day after
    int later = 0;        // tried, due two days after or later
    int neverTried = 0;   // records of the books with no attempt (CountNeverTried)
};

class ReviewSchedule {
  public:
    explicit ReviewSchedule(double desiredRetention = Fsrs::kDefaultRetention);

    // Replays one more attempt at a record, after those already added for it (they must come
    // in the order marked). An attempt marked on a day before the record's last one (the
    // clock was set back) counts as on the same day. An attempt whose time cannot be read is
    // left out: false.
    bool Add(const studyLog::MarkedAttempt& attempt);
    void Add(std::string_view book, std::string_view record, StudyDay day,
             studyLog::Outcome outcome);

    // Schedules every record again for another desired retention (memories stay as they are).
    void SetDesiredRetention(double desiredRetention);
    const Fsrs& scheduler() const { return fsrs_; }

    // The tried records, in the order first tried.
    const std::vector<RecordSchedule>& records() const { return records_; }
    const RecordSchedule* Find(std::string_view book, std::string_view record) const;

    // The predicted chance of recall of a record on `today`, 0 to 1.
    double Retrievability(const RecordSchedule& record, StudyDay today) const;
    // Whole days a record is overdue on `today`; 0 when due today or later.
    static int OverdueDays(const RecordSchedule& record, StudyDay today);

    // The counts on `today`; neverTried stays 0, as only the books' folders know their records.
    ScheduleCounts Counts(StudyDay today) const;
    // The records due on `today` or before, most overdue first (then by book and record name).
    std::vector<const RecordSchedule*> Due(StudyDay today) const;
    // The first day after `today` a record is due; nothing when none is.
    std::optional<StudyDay> NextDueAfter(StudyDay today) const;

  private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    using PlaceOfRecord = std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>>;

    Fsrs fsrs_;
    std::vector<RecordSchedule> records_;
    // Book, then record, to its place in records_.
    std::unordered_map<std::string, PlaceOfRecord, TextHash, std::equal_to<>> index_;
};

// The schedule of all `attempts`, given in the order marked.
ReviewSchedule ReplayAttempts(const std::vector<studyLog::MarkedAttempt>& attempts,
                              double desiredRetention = Fsrs::kDefaultRetention);
// The schedule of every attempt in `log` (empty when there is none, or it cannot be read), the
// same as ReplayAttempts gives; the attempts are replayed on a thread of their own while the log
// is read, `rowsInBatch` at a time.
ReviewSchedule ReplayLog(studyLog::StudyLog& log, double desiredRetention = Fsrs::kDefaultRetention,
                         std::size_t rowsInBatch = 4096);

// The records of `book` (its folder's record file names) never tried.
int CountNeverTried(const ReviewSchedule& schedule, const std::string& book,
                    const std::vector<std::string>& records);

}  // namespace reviewSchedule
