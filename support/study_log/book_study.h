#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/study_log/study_log.h"

// What the program remembers of the study of a book: read from the log once, then kept current
// by each attempt kept and each cycle started, so that the windows read it without the log.
namespace studyLog {

// One attempt as the user marked it, handed to the log's thread and back as it is.
struct Attempt {
    std::string book;
    std::string record;
    Outcome outcome = Outcome::kSolved;
    std::time_t marked = 0;
    std::optional<std::time_t> started;  // the latest "開始" of the record before the mark

    // The attempt's time, when it was timed; a start after the mark (the clock was set back)
    // times nothing, as in the log.
    std::optional<std::int64_t> Seconds() const;
};

struct BookStudy {
    int cycle = 1;  // the current cycle
    // What each marked record holds in the current cycle, and over all cycles.
    std::map<std::string, RecordResults> currentCycle;
    std::map<std::string, RecordResults> allCycles;
    std::vector<CycleTotals> cycles;  // the first first

    // The last outcome in the current cycle of each record marked in it, by record name.
    std::map<std::string, Outcome> LastOutcomes() const;
    // A record's history in the current cycle and over all; empty for a record never marked.
    CycleHistory History(const std::string& record) const;
    // What a record holds in the current cycle, or nothing when it was not marked in it.
    const RecordResults* InCurrentCycle(const std::string& record) const;
};

// What the log holds of `book`.
BookStudy ReadBookStudy(StudyLog& log, const std::string& book);

// Adds an attempt the log has kept to what is remembered of its book.
void AddAttempt(BookStudy& study, const Attempt& attempt);

}  // namespace studyLog
