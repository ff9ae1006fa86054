// The scheduler against the reference implementation's own numbers. To make the golden file
// again (after a change of the reference's version, or of the settings in support/review_schedule/
// fsrs.h, which the script repeats):
//
//   cd tests/unit/review_schedule/reference && npm ci && npm run golden
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "support/review_schedule/fsrs.h"

namespace {

using reviewSchedule::Fsrs;
using reviewSchedule::Rating;

struct GoldenReview {
    int sequence;
    double retention;
    int elapsedDays;
    int rating;
    double stability;
    double difficulty;
    int interval;
};

constexpr GoldenReview kGolden[] = {
#include "fsrs_golden.inc"
};

bool Near(double actual, double expected) {
    return std::abs(actual - expected) <= 1e-6 * std::abs(expected);
}

TEST(FsrsGolden, EveryReviewOfTheReferenceSequences) {
    std::optional<reviewSchedule::MemoryState> memory;
    int sequence = -1;
    int reviews = 0;
    for (const GoldenReview& golden : kGolden) {
        if (golden.sequence != sequence) {
            if (HasFailure()) break;  // one sequence's faults are enough to read
            sequence = golden.sequence;
            memory.reset();
        }
        const Fsrs fsrs(golden.retention);
        const reviewSchedule::ReviewStep step =
            fsrs.Review(memory, golden.elapsedDays, static_cast<Rating>(golden.rating));
        SCOPED_TRACE("sequence " + std::to_string(sequence) + ", after " +
                     std::to_string(golden.elapsedDays) + " days");
        EXPECT_PRED2(Near, step.memory.stability, golden.stability);
        EXPECT_PRED2(Near, step.memory.difficulty, golden.difficulty);
        EXPECT_EQ(fsrs.IntervalAfter(step), golden.interval);
        memory = step.memory;
        ++reviews;
    }
    EXPECT_GT(reviews, 3000);
}

}  // namespace
