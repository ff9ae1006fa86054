// The study log with a log of 100,000 attempts over 200 books: the time of a mark (committed to
// this machine's disk) against a frame at 60 Hz, and the last outcomes of a book of 5,000 records
// against a plain read of that book's folder.
//
//   build/bench/bench_study_log [folder]     (default: the system's temporary folder;
//                                             goals: a mark under 1 frame, the marks under 5x)
//
// Give a folder on the disk to measure (the temporary folder may be in memory). Timed in turns,
// many times; the best time of each is kept, and for marks the median and the slowest too.

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plain_read.h"
#include "study_log_fill.h"
#include "support/study_log/sqlite_database.h"
#include "support/study_log/study_log.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kFrame = 1.0 / 60;
constexpr int kRecords = 5000;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

}  // namespace

int main(int argc, char** argv) {
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = base / ("quill-bench-log-" + std::to_string(getpid()));
    const fs::path book = root / "book" / "A";
    quill_bench::MakeBook(book, kRecords);
    const std::string path = (root / "Quillmere-study.sqlite").string();
    if (!quill_bench::FillStudyLog(path)) return 1;

    studyLog::StudyLog log(path);
    Clock::time_point start = Clock::now();
    std::size_t marked = log.LastOutcomes("A").size();
    const double firstMarks = Seconds(Clock::now() - start);
    double bestMarks = 1e9;
    double bestPlain = 1e9;
    std::size_t entries = 0;
    for (int run = 0; run < 15; ++run) {
        start = Clock::now();
        marked = log.LastOutcomes("A").size();
        bestMarks = std::min(bestMarks, Seconds(Clock::now() - start));
        start = Clock::now();
        entries = quill_bench::PlainRead(book.string());
        bestPlain = std::min(bestPlain, Seconds(Clock::now() - start));
    }

    std::vector<double> marks;
    for (int i = 0; i < 30; ++i) {
        start = Clock::now();
        if (!log.Record("A", "p00010.kif", studyLog::Outcome::kSolved)) return 1;
        marks.push_back(Seconds(Clock::now() - start));
    }
    std::sort(marks.begin(), marks.end());

    std::printf("log:                       %ju bytes, 100,001 attempts over 201 books\n",
                static_cast<std::uintmax_t>(fs::file_size(path)));
    std::printf(
        "last outcomes of book A:   %zu records; first use (opening the log) %.2f ms,\n"
        "                           then %.2f ms\n",
        marked, firstMarks * 1e3, bestMarks * 1e3);
    std::printf("plain directory read:      %zu entries, %.2f ms\n", entries, bestPlain * 1e3);
    std::printf("ratio:                     %.1fx, first use %.1fx (goal: at most 5x)\n",
                bestMarks / bestPlain, firstMarks / bestPlain);
    std::printf("a mark:                    best %.2f ms, median %.2f ms, slowest %.2f ms\n",
                marks.front() * 1e3, marks[marks.size() / 2] * 1e3, marks.back() * 1e3);
    std::printf("ratio to a frame (16.7 ms): median %.2f, slowest %.2f (goal: under 1)\n",
                marks[marks.size() / 2] / kFrame, marks.back() / kFrame);
    fs::remove_all(root);
    return 0;
}
