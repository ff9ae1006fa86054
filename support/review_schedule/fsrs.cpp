#include "support/review_schedule/fsrs.h"

#include <algorithm>
#include <cmath>

namespace reviewSchedule {
namespace {

// The nearest whole number, halves upwards.
double RoundHalfUp(double value) {
    const double whole = std::floor(value);
    return value - whole >= 0.5 ? whole + 1 : whole;
}

// Intermediate values are kept to 8 decimals, so that the schedule is the same on every machine
// and the same as the reference implementation's.
double To8Decimals(double value) { return RoundHalfUp(value * 1e8) / 1e8; }

double Clamp(double value, double least, double greatest) {
    return std::min(std::max(value, least), greatest);
}

int Grade(Rating rating) { return static_cast<int>(rating); }

}  // namespace

Fsrs::Fsrs(double desiredRetention, const Weights& weights)
    : w_(weights),
      retention_(desiredRetention > 0 && desiredRetention <= 1 ? desiredRetention
                                                               : kDefaultRetention),
      decay_(-w_[20]),
      factor_(To8Decimals(std::pow(0.9, 1 / decay_) - 1)),
      intervalModifier_(To8Decimals((std::pow(retention_, 1 / decay_) - 1) / factor_)),
      expW8_(std::exp(w_[8])),
      easyDifficulty_(InitialDifficulty(Rating::kEasy)),
      lapseDivisor_(std::exp(w_[17] * w_[18])),
      sameDayGrowth_() {
    for (const Rating rating : {Rating::kAgain, Rating::kHard, Rating::kGood, Rating::kEasy}) {
        sameDayGrowth_[Grade(rating)] = std::exp(w_[17] * (Grade(rating) - 3 + w_[18]));
    }
}

double Fsrs::Retrievability(double elapsedDays, double stability) const {
    return To8Decimals(std::pow(1 + factor_ * elapsedDays / stability, decay_));
}

int Fsrs::IntervalFor(double stability) const {
    const double days = std::max(1.0, RoundHalfUp(stability * intervalModifier_));
    return static_cast<int>(std::min(days, static_cast<double>(kMaximumInterval)));
}

int Fsrs::IntervalAfter(const ReviewStep& step) const {
    const int interval = IntervalFor(step.memory.stability);
    if (!step.hardStability) return interval;
    const int hard = std::min(IntervalFor(*step.hardStability), interval);
    return std::max(interval, hard + 1);
}

double Fsrs::InitialDifficulty(Rating rating) const {
    return To8Decimals(w_[4] - std::exp((Grade(rating) - 1) * w_[5]) + 1);
}

MemoryState Fsrs::First(Rating rating) const {
    return {std::max(w_[Grade(rating) - 1], 0.1), Clamp(InitialDifficulty(rating), 1, 10)};
}

double Fsrs::NextDifficulty(double difficulty, Rating rating) const {
    // The change, damped linearly as the difficulty nears 10, then drawn towards the initial
    // difficulty of Easy (mean reversion).
    const double change = -w_[6] * (Grade(rating) - 3);
    const double damped = difficulty + To8Decimals(change * (10 - difficulty) / 9);
    const double reverted = To8Decimals(w_[7] * easyDifficulty_ + (1 - w_[7]) * damped);
    return Clamp(reverted, 1, 10);
}

double Fsrs::RecallGrowth(const MemoryState& before, double retrievability) const {
    return expW8_ * (11 - before.difficulty) * std::pow(before.stability, -w_[9]) *
           (std::exp((1 - retrievability) * w_[10]) - 1);
}

double Fsrs::RecallStability(const MemoryState& before, double growth, Rating rating) const {
    const double hardPenalty = rating == Rating::kHard ? w_[15] : 1;
    const double easyBonus = rating == Rating::kEasy ? w_[16] : 1;
    return To8Decimals(Clamp(before.stability * (1 + growth * hardPenalty * easyBonus),
                             kLeastStability, kGreatestStability));
}

double Fsrs::LapseStability(const MemoryState& before, double retrievability) const {
    const double s = before.stability;
    const double forgotten = To8Decimals(
        Clamp(w_[11] * std::pow(before.difficulty, -w_[12]) * (std::pow(s + 1, w_[13]) - 1) *
                  std::exp((1 - retrievability) * w_[14]),
              kLeastStability, kGreatestStability));
    // Never above what the same-day formula would leave after Again.
    const double ceiling = To8Decimals(s / lapseDivisor_);
    return std::min(std::max(ceiling, kLeastStability), forgotten);
}

double Fsrs::SameDayStability(double stability, Rating rating) const {
    double increase = std::pow(stability, -w_[19]) * sameDayGrowth_[Grade(rating)];
    if (rating != Rating::kAgain) increase = std::max(increase, 1.0);
    return To8Decimals(Clamp(stability * increase, kLeastStability, kGreatestStability));
}

MemoryState Fsrs::Next(const MemoryState& before, int elapsedDays, Rating rating) const {
    MemoryState after;
    if (elapsedDays <= 0) {
        after.stability = SameDayStability(before.stability, rating);
    } else {
        const double retrievability = Retrievability(elapsedDays, before.stability);
        after.stability =
            rating == Rating::kAgain
                ? LapseStability(before, retrievability)
                : RecallStability(before, RecallGrowth(before, retrievability), rating);
    }
    after.difficulty = NextDifficulty(before.difficulty, rating);
    return after;
}

ReviewStep Fsrs::Review(const std::optional<MemoryState>& before, int elapsedDays,
                        Rating rating) const {
    ReviewStep step;
    if (!before) {
        step.memory = First(rating);
        return step;
    }
    if (rating != Rating::kGood) {
        step.memory = Next(*before, elapsedDays, rating);
        return step;
    }
    // Good, and the stability of Hard from the same growth.
    step.memory.difficulty = NextDifficulty(before->difficulty, rating);
    if (elapsedDays <= 0) {
        step.memory.stability = SameDayStability(before->stability, rating);
        step.hardStability = SameDayStability(before->stability, Rating::kHard);
    } else {
        const double growth = RecallGrowth(*before, Retrievability(elapsedDays, before->stability));
        step.memory.stability = RecallStability(*before, growth, rating);
        step.hardStability = RecallStability(*before, growth, Rating::kHard);
    }
    return step;
}

}  // namespace reviewSchedule
