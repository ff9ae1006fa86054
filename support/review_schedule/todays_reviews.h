#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/review_schedule/review_schedule.h"

// What the review window and "次の復習" show of the schedule on a day: only the records still in
// their book folders count, so a record whose file is gone is neither listed nor counted.
namespace reviewSchedule {

// The records of one book folder, as its listing finds them.
struct BookListing {
    std::string book;
    std::vector<std::string> records;
};

// A record due on the day, as a row of the review window.
struct DueReview {
    std::string book;
    std::string record;
    StudyDay due = 0;
    int overdueDays = 0;
    studyLog::Outcome last = studyLog::Outcome::kSolved;
    int attempts = 0;
    int recallPercent = 0;  // the predicted chance of recall on the day, rounded
};

struct TodaysReviews {
    ScheduleCounts counts;
    std::vector<DueReview> due;       // most overdue first, then by book and record name
    std::optional<StudyDay> nextDue;  // the first day after the day a record is due
};

// A record, by its book and name.
using RecordKey = std::pair<std::string, std::string>;

// The reviews of `today` among the records of `books`. The records of `leftOut` (marked a
// moment ago, not yet kept) are neither due nor counted.
TodaysReviews ReviewsOn(const ReviewSchedule& schedule, StudyDay today,
                        const std::vector<BookListing>& books,
                        const std::set<RecordKey>& leftOut = {});

// The review "次の復習" goes to: the first due, or the one after `current` when that is due
// itself (round from the last); nothing when none is due.
const DueReview* NextReview(const TodaysReviews& reviews, const RecordKey& current);

}  // namespace reviewSchedule
