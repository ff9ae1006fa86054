#pragma once

#include <array>
#include <optional>

// The Free Spaced Repetition Scheduler, version 6 (FSRS-6), from its published formulas: how
// well a problem is remembered (its stability in days and its difficulty from 1 to 10), how it
// changes at each review, and when the next review is due for a wanted chance of recall.
//
// The schedule is in whole days, without random spread ("fuzz") and without steps of minutes:
// every review schedules the next one at least a day later, and a second review on the same
// study day changes stability by the same-day formula (w17 to w19). With these settings the
// numbers are those of the reference implementation ts-fsrs run with `enable_fuzz: false`,
// `enable_short_term: true`, `learning_steps: []` and `relearning_steps: []`, including its
// rounding of intermediate values to 8 decimals and its rule that Good is scheduled at least a
// day after Hard would have been (tests/unit/review_schedule checks this against its output).
namespace reviewSchedule {

// The answer given at a review.
enum class Rating { kAgain = 1, kHard = 2, kGood = 3, kEasy = 4 };

struct MemoryState {
    double stability = 0;   // days until the chance of recall falls to 90 %
    double difficulty = 0;  // 1 (easy) to 10 (hard)
};

// The memory after a review, and what the next interval depends on besides it.
struct ReviewStep {
    MemoryState memory;
    // For Good after an earlier review: the stability Hard would have given, as Good is
    // scheduled at least a day after Hard.
    std::optional<double> hardStability;
};

class Fsrs {
  public:
    using Weights = std::array<double, 21>;
    // FSRS-6's published default weights w0 to w20.
    static constexpr Weights kDefaultWeights = {
        0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
        1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
    static constexpr double kDefaultRetention = 0.90;
    static constexpr int kMaximumInterval = 36500;  // days
    static constexpr double kLeastStability = 0.001;
    static constexpr double kGreatestStability = 36500;

    // A desired retention outside (0, 1] (or not a number) is taken as the default.
    explicit Fsrs(double desiredRetention = kDefaultRetention,
                  const Weights& weights = kDefaultWeights);

    double desiredRetention() const { return retention_; }
    const Weights& weights() const { return w_; }

    // The chance of recall `elapsedDays` after a review that left `stability`:
    // R = (1 + FACTOR * t / S) ^ DECAY, with DECAY = -w20 and FACTOR = 0.9 ^ (1 / DECAY) - 1.
    double Retrievability(double elapsedDays, double stability) const;
    // The whole days until the chance of recall falls to the desired retention, 1 to
    // kMaximumInterval.
    int IntervalFor(double stability) const;
    // The days to the next review after `step`.
    int IntervalAfter(const ReviewStep& step) const;

    // The memory after the first review of a problem.
    MemoryState First(Rating rating) const;
    // The memory after a review `elapsedDays` (0 or more) after the one that left `before`.
    MemoryState Next(const MemoryState& before, int elapsedDays, Rating rating) const;
    // A review: the first when `before` is empty, else `elapsedDays` after it.
    ReviewStep Review(const std::optional<MemoryState>& before, int elapsedDays,
                      Rating rating) const;

  private:
    double InitialDifficulty(Rating rating) const;
    double NextDifficulty(double difficulty, Rating rating) const;
    // The growth of stability at a recall before the penalty of Hard or bonus of Easy.
    double RecallGrowth(const MemoryState& before, double retrievability) const;
    double RecallStability(const MemoryState& before, double growth, Rating rating) const;
    double LapseStability(const MemoryState& before, double retrievability) const;
    double SameDayStability(double stability, Rating rating) const;

    Weights w_;
    double retention_;
    double decay_;
    double factor_;
    double intervalModifier_;  // the interval of a stability of one day
    // What every review would compute again: e^w8, the initial difficulty of Easy,
    // e^(w17 * w18), and e^(w17 * (G - 3 + w18)) of each rating G.
    double expW8_;
    double easyDifficulty_;
    double lapseDivisor_;
    std::array<double, 5> sameDayGrowth_;
};

}  // namespace reviewSchedule
