// The review schedule of a log of 100,000 attempts over 200 books: reading the attempts and
// replaying them into the whole schedule (counts, the records due and the next due day),
// against reading the attempts alone, in the same run.
//
//   build/bench/bench_review_schedule [folder]     (default: the system's temporary folder;
//                                                   goal: the whole schedule within 50 ms)
//
// The log is the one bench/study_log_fill.h makes, its marks spread over a year so that most
// reviews are days apart, as a student's are. Timed in turns, 15 times each; the best time of
// each is kept.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "study_log_fill.h"
#include "support/review_schedule/review_schedule.h"
#include "support/study_log/study_log.h"

namespace fs = std::filesystem;
using quill_bench::Clock;
using quill_bench::kRuns;
using quill_bench::Milliseconds;

int main(int argc, char** argv) {
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root =
        base / ("quill-bench-review-" + std::to_string(Clock::now().time_since_epoch().count()));
    fs::create_directories(root);
    const std::string path = (root / "Quillmere-study.sqlite").string();
    if (!quill_bench::FillStudyLog(path) || !quill_bench::SpreadMarks(path)) return 1;

    studyLog::StudyLog log(path);
    const reviewSchedule::StudyDay today = *studyDay::StudyDayOfLocalText("2027-01-01T12:00:00");
    double bestRead = 1e9;
    double bestWhole = 1e9;
    std::size_t attempts = 0;
    std::size_t records = 0;
    reviewSchedule::ScheduleCounts counts;
    std::size_t due = 0;
    std::optional<reviewSchedule::StudyDay> next;
    for (int run = 0; run < kRuns; ++run) {
        // Reading alone: each attempt's texts copied out, as a reader that keeps them would.
        Clock::time_point start = Clock::now();
        attempts = quill_bench::ReadEveryAttempt(log);
        bestRead = std::min(bestRead, Milliseconds(Clock::now() - start));

        start = Clock::now();
        const reviewSchedule::ReviewSchedule schedule = reviewSchedule::ReplayLog(log);
        counts = schedule.Counts(today);
        due = schedule.Due(today).size();
        next = schedule.NextDueAfter(today);
        bestWhole = std::min(bestWhole, Milliseconds(Clock::now() - start));
        records = schedule.records().size();
    }

    std::printf("log:                       %zu attempts, %zu records tried\n", attempts, records);
    std::printf(
        "on 2027-01-01:             due %d (overdue %d), tomorrow %d, later %d; %zu listed\n",
        counts.dueNow, counts.overdue, counts.dueTomorrow, counts.later, due);
    std::printf("reading the attempts:      %.2f ms\n", bestRead);
    std::printf("the whole schedule:        %.2f ms, ratio %.2fx (goal: within 50 ms)\n", bestWhole,
                bestWhole / bestRead);
    fs::remove_all(root);
    return 0;
}
