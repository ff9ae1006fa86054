#include "support/review_schedule/todays_reviews.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace reviewSchedule {

TodaysReviews ReviewsOn(const ReviewSchedule& schedule, StudyDay today,
                        const std::vector<BookListing>& books, const std::set<RecordKey>& leftOut) {
    TodaysReviews reviews;
    ScheduleCounts& counts = reviews.counts;
    for (const BookListing& book : books) {
        for (const std::string& name : book.records) {
            if (!leftOut.empty() && leftOut.count({book.book, name}) > 0) continue;
            const RecordSchedule* record = schedule.Find(book.book, name);
            if (record == nullptr) {
                ++counts.neverTried;
                continue;
            }
            if (record->due > today) {
                ++(record->due == today + 1 ? counts.dueTomorrow : counts.later);
                if (!reviews.nextDue || record->due < *reviews.nextDue)
                    reviews.nextDue = record->due;
                continue;
            }
            ++counts.dueNow;
            if (record->due < today) ++counts.overdue;
            const double recall = schedule.Retrievability(*record, today);
            reviews.due.push_back(
                {book.book, name, record->due, ReviewSchedule::OverdueDays(*record, today),
                 record->last, record->attempts,
                 static_cast<int>(std::lround(std::clamp(recall, 0.0, 1.0) * 100))});
        }
    }
    std::sort(reviews.due.begin(), reviews.due.end(), [](const DueReview& a, const DueReview& b) {
        return std::tie(a.due, a.book, a.record) < std::tie(b.due, b.book, b.record);
    });
    return reviews;
}

const DueReview* NextReview(const TodaysReviews& reviews, const RecordKey& current) {
    if (reviews.due.empty()) return nullptr;
    const auto at = std::find_if(reviews.due.begin(), reviews.due.end(), [&](const DueReview& due) {
        return due.book == current.first && due.record == current.second;
    });
    if (at == reviews.due.end() || at + 1 == reviews.due.end()) return &reviews.due.front();
    return &*(at + 1);
}

}  // namespace reviewSchedule
