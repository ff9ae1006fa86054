#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/study_log/study_log.h"

// The figures of a student's progress, from the attempts of the log as plain data: the days of
// the last 53 weeks and their shading, the streaks, the cycles of a book and its solving times
// (docs/STUDY-LOG.md says how each is counted).
namespace studyLog {

// What one study day (support/study_day.h) holds.
struct DayTotals {
    int day = 0;  // its study day number
    int attempts = 0;
    int solved = 0;
    int failed = 0;
    int gaveUp = 0;
    std::int64_t seconds = 0;  // of its timed attempts
    int timedAttempts = 0;
};

// The days the calendar shows: 53 weeks, a week from Monday to Sunday, the last the week of
// today, and no day after today.
inline constexpr int kCalendarWeeks = 53;
struct CalendarDays {
    int firstDay = 0;             // a Monday
    int today = 0;                // the last day of `days`
    std::vector<DayTotals> days;  // each day from firstDay to today, in order
};
CalendarDays CalendarOf(const std::vector<KeptAttempt>& attempts, int today);
// Counts one more attempt into `calendar` (nothing when its day is not shown).
void AddToCalendar(CalendarDays& calendar, const KeptAttempt& attempt);

// The shading of a day: step 0 for a day without attempts, then one step more at each of these
// numbers of attempts.
inline constexpr int kShadeSteps = 5;
inline constexpr int kShadeFloors[kShadeSteps] = {0, 1, 5, 10, 20};
int ShadeStep(int attempts);

// The streaks: days in a row with at least one attempt. The current one ends today when today
// has an attempt, or else yesterday (so it stands until today ends); it is 0 when neither has.
struct Streaks {
    int current = 0;
    int longest = 0;
    int daysStudied = 0;
    std::int64_t totalSeconds = 0;  // of every timed attempt
};
Streaks StreaksOf(const std::vector<KeptAttempt>& attempts, int today);
// What the streaks are counted from, kept current one attempt at a time: the study days with an
// attempt, in order, and the time of every timed attempt.
struct StudiedDays {
    std::vector<int> days;
    std::int64_t totalSeconds = 0;
    void Add(const KeptAttempt& attempt);
};
StudiedDays StudiedDaysOf(const std::vector<KeptAttempt>& attempts);
Streaks StreaksOf(const StudiedDays& studied, int today);
// "連続 N日　最長 N日　学習日数 N日　合計 H時間M分".
std::string StreakLine(const Streaks& streaks);

// The positions in `attempts` of the attempts marked on study day `day`, in order.
std::vector<std::size_t> AttemptsOn(const std::vector<KeptAttempt>& attempts, int day);

// One cycle of a book as a bar: its records by their last outcome in the cycle, and its success
// rate (solved ÷ records tried in the cycle, in percent; nothing when none was).
struct CycleBar {
    int cycle = 1;
    int solved = 0;
    int failed = 0;
    int gaveUp = 0;
    std::optional<double> successPercent;
    int attempts = 0;
    std::optional<std::int64_t> seconds;
};
std::vector<CycleBar> CycleBarsOf(const std::vector<CycleTotals>& cycles);

// A record of a book's folder, in the book's order, with the number of moves its header gives
// (0 when it gives none).
struct BookRecord {
    std::string name;
    int moves = 0;
};

// The solved, timed attempts of one record, in the order they were marked.
struct RecordTimes {
    std::string record;
    int moves = 0;
    std::vector<std::int64_t> seconds;
    std::int64_t latest() const { return seconds.back(); }
};

// The median time of the solved, timed attempts at the records of one number of moves.
struct MovesMedian {
    int moves = 0;
    std::int64_t medianSeconds = 0;
    int attempts = 0;
};

// How many records are named as the slowest.
inline constexpr std::size_t kSlowestNamed = 3;

struct SolvingTimes {
    std::vector<RecordTimes> records;  // those with a solved, timed attempt, in book order
    std::vector<std::size_t> slowest;  // positions in `records`, the slowest latest time first
    std::vector<MovesMedian> byMoves;  // by number of moves, the fewest first
    int untimedSolved = 0;             // solved attempts without a time: counted, not drawn
    int recordsWithoutTime = 0;        // records of the book with no solved, timed attempt
};
// The solving times of the records of `book`; attempts at other books, or at records no longer
// in `records`, count for nothing.
SolvingTimes SolvingTimesOf(const std::string& book, const std::vector<BookRecord>& records,
                            const std::vector<KeptAttempt>& attempts);

}  // namespace studyLog
