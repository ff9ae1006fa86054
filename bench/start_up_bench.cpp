// Start-up to the main window shown, and the memory the program then holds, on a library of
// 1,000 books with 5,000 records in the first, each as a ratio to a bare Qt window started the
// same way. All run as child processes, offscreen, in turns; the best time and the smallest peak
// memory of each count, being the least disturbed by the rest of the machine.
//
// Two more runs put the figures in proportion: a bare window showing one line of Japanese text
// (fonts and text drawing, which any Japanese window pays for), and the program on an empty
// library (what the library itself adds).
//
//   build/bench/bench_start_up [runs] [other]   (default 9; goals: time at most 1.5x, memory at
//   most 1.3x)
//
// `other`, when given, is the bench_start_quill of another build, started in the same turns on
// the same library, so that two builds of the program compare in one run.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "study_log_fill.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kBooks = 1000;
constexpr int kRecordsInFirstBook = 5000;

struct Run {
    double seconds = 0;
    long peakKilobytes = 0;
};

struct Best {
    double seconds = 1e9;
    long peakKilobytes = 1L << 40;
    void Take(const Run& run) {
        seconds = std::min(seconds, run.seconds);
        peakKilobytes = std::min(peakKilobytes, run.peakKilobytes);
    }
};

// The program folder of a throwaway library: "prog", with the book root "book" beside it.
fs::path MakeLibrary(const fs::path& root) {
    for (int book = 0; book < kBooks; ++book) {
        char name[32];
        std::snprintf(name, sizeof name, "Book %04d", book);
        fs::create_directories(root / "book" / name);
    }
    const fs::path first = root / "book" / "Book 0000";
    for (int record = 1; record <= kRecordsInFirstBook; ++record) {
        char name[32];
        std::snprintf(name, sizeof name, "p%04d.%s", record, record % 5 == 0 ? "bod" : "kif");
        std::ofstream(first / name) << "record";
        if (record % 10 == 1) std::ofstream(first / (std::string(name) + ".txt")) << "notes";
    }
    fs::create_directories(root / "prog");
    return root / "prog";
}

// Starts `program`, waits for its word that the window is shown, and then for its end.
Run Measure(const std::string& program, const std::vector<std::string>& arguments) {
    int channel[2];
    if (pipe(channel) != 0) std::exit(1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    close(channel[1]);
    char shown = 0;
    const ssize_t got = read(channel[0], &shown, 1);
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    close(channel[0]);
    posix_spawn_file_actions_destroy(&actions);

    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (got != 1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not show its window\n", program.c_str());
        std::exit(1);
    }
    run.peakKilobytes = usage.ru_maxrss;
    return run;
}

void Print(const char* what, const Best& best, const Best& baseline) {
    std::printf("  %-34s %7.1f ms  %5.2fx   %6.1f MB  %5.2fx\n", what, best.seconds * 1e3,
                best.seconds / baseline.seconds, best.peakKilobytes / 1024.0,
                static_cast<double>(best.peakKilobytes) / baseline.peakKilobytes);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::string other = argc > 2 ? argv[2] : "";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
    const std::string quill = (here / "bench_start_quill").string();
    const std::string bare = (here / "bench_start_bare").string();
    const std::string text = (here / "bench_start_text").string();

    const fs::path root = fs::temp_directory_path() / ("quill-start-" + std::to_string(getpid()));
    const std::string library = MakeLibrary(root / "full").string();
    const std::string empty = (root / "empty" / "prog").string();
    fs::create_directories(empty);
    // The same library with a study log of 100,001 attempts over 200 books, 20,000 of them at
    // the records of the book shown first.
    const std::string logged = MakeLibrary(root / "logged").string();
    if (!quill_bench::FillStudyLog(logged + "/Quillmere-study.sqlite", "Book 0000", "p%04d.kif"))
        return 1;

    // One start of each first, so that all find the libraries and fonts in the system's cache.
    Best program;
    Best programOther;
    Best programLogged;
    Best programEmpty;
    Best baseline;
    Best baselineText;
    for (int i = -1; i < runs; ++i) {
        const Run withLibrary = Measure(quill, {library});
        const Run bareWindow = Measure(bare, {});
        const Run textWindow = Measure(text, {});
        const Run withoutLibrary = Measure(quill, {empty});
        const Run withLog = Measure(quill, {logged});
        const Run withOther = other.empty() ? Run{} : Measure(other, {library});
        if (i < 0) continue;
        program.Take(withLibrary);
        programLogged.Take(withLog);
        baseline.Take(bareWindow);
        baselineText.Take(textWindow);
        programEmpty.Take(withoutLibrary);
        if (!other.empty()) programOther.Take(withOther);
    }
    fs::remove_all(root);

    std::printf("library: %d books, %d records in the first; %d runs of each, offscreen\n", kBooks,
                kRecordsInFirstBook, runs);
    std::printf("  %-34s %10s  %6s   %9s  %6s\n", "", "start-up", "ratio", "peak RSS", "ratio");
    Print("bare Qt window (baseline)", baseline, baseline);
    Print("bare window, one line of Japanese", baselineText, baseline);
    Print("Quillmere, empty library", programEmpty, baseline);
    Print("Quillmere, library", program, baseline);
    if (!other.empty()) Print("the other build, library", programOther, baseline);
    Print("Quillmere, library and study log", programLogged, baseline);
    std::printf("time ratio:   %.2fx (goal: at most 1.5x)\n", program.seconds / baseline.seconds);
    std::printf("memory ratio: %.2fx (goal: at most 1.3x)\n",
                static_cast<double>(program.peakKilobytes) / baseline.peakKilobytes);
    std::printf(
        "without a study log, to the window of one line of Japanese: time %.2fx (goal: at most "
        "2.0x), memory %.2fx (goal: at most 1.3x)\n",
        program.seconds / baselineText.seconds,
        static_cast<double>(program.peakKilobytes) / baselineText.peakKilobytes);
    std::printf(
        "with the study log, to the window of one line of Japanese: time %.2fx (goal: at "
        "most 2.0x), memory %.2fx (goal: at most 1.3x)\n",
        programLogged.seconds / baselineText.seconds,
        static_cast<double>(programLogged.peakKilobytes) / baselineText.peakKilobytes);
    return 0;
}
