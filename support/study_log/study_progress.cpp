#include "support/study_log/study_progress.h"

#include <algorithm>
#include <unordered_map>

#include "support/modConst.h"
#include "support/study_day.h"

namespace studyLog {
namespace {

// A time the log holds, as counted: a negative one (which the log refuses, but the file may come
// from anyone) as no time, a longer one than any attempt takes as that longest, so that no sum
// of a log's times can overflow.
constexpr std::int64_t kLongestSeconds = 1'000'000'000;
std::optional<std::int64_t> CountedSeconds(const std::optional<std::int64_t>& seconds) {
    if (!seconds || *seconds < 0) return std::nullopt;
    return std::min(*seconds, kLongestSeconds);
}

void Count(DayTotals& totals, const KeptAttempt& attempt) {
    ++totals.attempts;
    ++CountOf(totals, attempt.outcome);
    if (const std::optional<std::int64_t> seconds = CountedSeconds(attempt.seconds)) {
        totals.seconds += *seconds;
        ++totals.timedAttempts;
    }
}

std::string Number(std::int64_t value) { return std::to_string(value); }

}  // namespace

CalendarDays CalendarOf(const std::vector<KeptAttempt>& attempts, int today) {
    CalendarDays calendar;
    calendar.today = today;
    calendar.firstDay = today - studyDay::Weekday(today) - 7 * (kCalendarWeeks - 1);
    calendar.days.resize(static_cast<std::size_t>(today - calendar.firstDay + 1));
    for (std::size_t i = 0; i < calendar.days.size(); ++i) {
        calendar.days[i].day = calendar.firstDay + static_cast<int>(i);
    }
    for (const KeptAttempt& attempt : attempts) {
        const std::optional<int> day = studyDay::StudyDayOfLocalText(attempt.marked);
        if (!day || *day < calendar.firstDay || *day > today) continue;
        Count(calendar.days[static_cast<std::size_t>(*day - calendar.firstDay)], attempt);
    }
    return calendar;
}

void AddToCalendar(CalendarDays& calendar, const KeptAttempt& attempt) {
    const std::optional<int> day = studyDay::StudyDayOfLocalText(attempt.marked);
    if (!day || *day < calendar.firstDay || *day > calendar.today) return;
    Count(calendar.days[static_cast<std::size_t>(*day - calendar.firstDay)], attempt);
}

int ShadeStep(int attempts) {
    int step = 0;
    while (step + 1 < kShadeSteps && attempts >= kShadeFloors[step + 1]) ++step;
    return step;
}

StudiedDays StudiedDaysOf(const std::vector<KeptAttempt>& attempts) {
    StudiedDays studied;
    studied.days.reserve(attempts.size());
    for (const KeptAttempt& attempt : attempts) {
        if (const std::optional<int> day = studyDay::StudyDayOfLocalText(attempt.marked)) {
            studied.days.push_back(*day);
        }
        studied.totalSeconds += CountedSeconds(attempt.seconds).value_or(0);
    }
    std::sort(studied.days.begin(), studied.days.end());
    studied.days.erase(std::unique(studied.days.begin(), studied.days.end()), studied.days.end());
    return studied;
}

void StudiedDays::Add(const KeptAttempt& attempt) {
    totalSeconds += CountedSeconds(attempt.seconds).value_or(0);
    const std::optional<int> day = studyDay::StudyDayOfLocalText(attempt.marked);
    if (!day) return;
    const auto place = std::lower_bound(days.begin(), days.end(), *day);
    if (place == days.end() || *place != *day) days.insert(place, *day);
}

Streaks StreaksOf(const std::vector<KeptAttempt>& attempts, int today) {
    return StreaksOf(StudiedDaysOf(attempts), today);
}

Streaks StreaksOf(const StudiedDays& studied, int today) {
    Streaks streaks;
    const std::vector<int>& days = studied.days;
    streaks.totalSeconds = studied.totalSeconds;
    streaks.daysStudied = static_cast<int>(days.size());
    int run = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        run = (i > 0 && days[i] == days[i - 1] + 1) ? run + 1 : 1;
        streaks.longest = std::max(streaks.longest, run);
        // The run that reaches today, or else yesterday; a day after today (a clock set back)
        // ends no current streak.
        if (days[i] == today || days[i] == today - 1) {
            streaks.current = run;
        }
    }
    return streaks;
}

std::string StreakLine(const Streaks& streaks) {
    using namespace modConst;
    const std::int64_t minutes = streaks.totalSeconds / 60;
    std::string line;
    line.append(kProgressStreak).append(Number(streaks.current)).append(kProgressDays);
    line.append(kProgressGap).append(kProgressLongest).append(Number(streaks.longest));
    line.append(kProgressDays).append(kProgressGap).append(kProgressDaysStudied);
    line.append(Number(streaks.daysStudied)).append(kProgressDays).append(kProgressGap);
    line.append(kProgressTotal).append(Number(minutes / 60)).append(kDurationHours);
    line.append(Number(minutes % 60)).append(kDurationMinutes);
    return line;
}

std::vector<std::size_t> AttemptsOn(const std::vector<KeptAttempt>& attempts, int day) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        if (studyDay::StudyDayOfLocalText(attempts[i].marked) == day) found.push_back(i);
    }
    return found;
}

std::vector<CycleBar> CycleBarsOf(const std::vector<CycleTotals>& cycles) {
    std::vector<CycleBar> bars;
    bars.reserve(cycles.size());
    for (const CycleTotals& totals : cycles) {
        CycleBar bar;
        bar.cycle = totals.cycle;
        bar.solved = std::max(0, totals.solved);
        bar.failed = std::max(0, totals.failed);
        bar.gaveUp = std::max(0, totals.gaveUp);
        const int tried = bar.solved + bar.failed + bar.gaveUp;
        if (tried > 0) bar.successPercent = 100.0 * bar.solved / tried;
        bar.attempts = totals.attempts;
        bar.seconds = CountedSeconds(totals.seconds);
        bars.push_back(bar);
    }
    return bars;
}

SolvingTimes SolvingTimesOf(const std::string& book, const std::vector<BookRecord>& records,
                            const std::vector<KeptAttempt>& attempts) {
    std::unordered_map<std::string, std::size_t> position;
    for (std::size_t i = 0; i < records.size(); ++i) position.emplace(records[i].name, i);
    std::vector<std::vector<std::int64_t>> times(records.size());
    SolvingTimes result;
    for (const KeptAttempt& attempt : attempts) {
        if (attempt.outcome != Outcome::kSolved || attempt.book != book) continue;
        const auto found = position.find(attempt.record);
        if (found == position.end()) continue;
        if (const std::optional<std::int64_t> seconds = CountedSeconds(attempt.seconds)) {
            times[found->second].push_back(*seconds);
        } else {
            ++result.untimedSolved;
        }
    }
    std::vector<std::pair<int, std::vector<std::int64_t>>> byMoves;  // moves, all their times
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (times[i].empty()) {
            ++result.recordsWithoutTime;
            continue;
        }
        if (records[i].moves > 0) {
            auto group = std::find_if(byMoves.begin(), byMoves.end(), [&](const auto& entry) {
                return entry.first == records[i].moves;
            });
            if (group == byMoves.end())
                group = byMoves.insert(byMoves.end(), {records[i].moves, {}});
            group->second.insert(group->second.end(), times[i].begin(), times[i].end());
        }
        result.records.push_back({records[i].name, records[i].moves, std::move(times[i])});
    }
    for (std::size_t i = 0; i < result.records.size(); ++i) result.slowest.push_back(i);
    std::stable_sort(result.slowest.begin(), result.slowest.end(),
                     [&](std::size_t a, std::size_t b) {
                         return result.records[a].latest() > result.records[b].latest();
                     });
    if (result.slowest.size() > kSlowestNamed) result.slowest.resize(kSlowestNamed);
    std::sort(byMoves.begin(), byMoves.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [moves, all] : byMoves) {
        // The middle time; of an even count, the mean of the two middle ones, rounded down.
        std::sort(all.begin(), all.end());
        const std::size_t middle = all.size() / 2;
        const std::int64_t median =
            all.size() % 2 == 1 ? all[middle] : (all[middle - 1] + all[middle]) / 2;
        result.byMoves.push_back({moves, median, static_cast<int>(all.size())});
    }
    return result;
}

}  // namespace studyLog
