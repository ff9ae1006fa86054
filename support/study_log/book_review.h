#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/study_log/study_log.h"

// What the results of a book and the review of what failed are made of, from the records of the
// book's folder and what the log holds of them.
namespace studyLog {

struct BookTotals {
    int records = 0;  // of the folder
    int solved = 0;   // whose last attempt (in the results given) was solved
    int failed = 0;   // ... failed
    int gaveUp = 0;   // ... given up
    int untried = 0;  // with no attempt in the results given
    // solved ÷ tried, in percent; nothing when none was tried.
    std::optional<double> successPercent;
    std::optional<std::int64_t> totalSeconds;    // of the timed attempts; nothing when none
    std::optional<std::int64_t> averageSeconds;  // per timed attempt, rounded down
};

// The totals of the records of a folder, `records`, by what `results` (of one cycle) holds of
// them. Results of records no longer in the folder count for nothing.
BookTotals TotalsOf(const std::vector<std::string>& records,
                    const std::vector<RecordResults>& results);
BookTotals TotalsOf(const std::vector<std::string>& records,
                    const std::map<std::string, RecordResults>& results);

// The position in `records` of the next record after `selected` whose last outcome in `last` is
// not solved (a record never marked is not), going round from the end to the start and coming
// back to `selected` itself last; nothing when every record is solved.
std::optional<std::size_t> NextUnsolved(const std::vector<std::string>& records,
                                        std::size_t selected,
                                        const std::map<std::string, Outcome>& last);

}  // namespace studyLog
