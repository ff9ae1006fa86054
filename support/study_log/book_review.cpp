#include "support/study_log/book_review.h"

#include <unordered_map>

namespace studyLog {

namespace {

template <typename Lookup>
BookTotals Count(const std::vector<std::string>& records, const Lookup& byRecord) {
    BookTotals totals;
    int timed = 0;
    for (const std::string& record : records) {
        ++totals.records;
        const RecordResults* found = byRecord(record);
        if (found == nullptr || !found->history.last) {
            ++totals.untried;
            continue;
        }
        const RecordResults& result = *found;
        ++CountOf(totals, *result.history.last);
        if (result.timedAttempts > 0) {
            totals.totalSeconds = totals.totalSeconds.value_or(0) + result.totalSeconds;
            timed += result.timedAttempts;
        }
    }
    const int tried = totals.records - totals.untried;
    if (tried > 0) totals.successPercent = 100.0 * totals.solved / tried;
    if (timed > 0) totals.averageSeconds = *totals.totalSeconds / timed;
    return totals;
}

}  // namespace

BookTotals TotalsOf(const std::vector<std::string>& records,
                    const std::vector<RecordResults>& results) {
    std::unordered_map<std::string, const RecordResults*> byRecord;
    for (const RecordResults& result : results) byRecord.emplace(result.record, &result);
    return Count(records, [&](const std::string& record) -> const RecordResults* {
        const auto found = byRecord.find(record);
        return found != byRecord.end() ? found->second : nullptr;
    });
}

BookTotals TotalsOf(const std::vector<std::string>& records,
                    const std::map<std::string, RecordResults>& results) {
    return Count(records, [&](const std::string& record) -> const RecordResults* {
        const auto found = results.find(record);
        return found != results.end() ? &found->second : nullptr;
    });
}

std::optional<std::size_t> NextUnsolved(const std::vector<std::string>& records,
                                        std::size_t selected,
                                        const std::map<std::string, Outcome>& last) {
    const std::size_t count = records.size();
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t at = (selected + step) % count;
        const auto found = last.find(records[at]);
        if (found == last.end() || found->second != Outcome::kSolved) return at;
    }
    return std::nullopt;
}

}  // namespace studyLog
