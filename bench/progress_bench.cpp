// "学習の推移" on a log of 100,001 attempts over 200 books (20,000 at the 5,000 records of book
// "A", their marks spread over about eleven months): the window opened on book A, from Show until
// its figures are shown (the attempts read on the log's thread, then counted), and the window's
// own handling of a mark kept while it is open, against reading the book's attempts alone
// (StudyLog::Attempts, what the window reads) in the same run; reading every attempt, which
// "全ての本" reads, is timed beside them.
//
//   build/bench/bench_progress [folder]     (default: the system's temporary folder)
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise. Timed in turns, 15 times each; the best
// time of each is kept.

#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "gui/study/study_session.h"
#include "study_log_fill.h"
#include "study_windows/progress/progress_window.h"
#include "support/study_log/sqlite_database.h"
#include "support/study_log/study_log.h"

namespace fs = std::filesystem;
using quill_bench::Clock;
using quill_bench::kRuns;
using quill_bench::Milliseconds;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = base / ("quill-bench-progress-" + std::to_string(getpid()));
    const fs::path book = root / "book" / "A";
    quill_bench::MakeBook(book, 5000);
    const std::string path = (root / "Quillmere-study.sqlite").string();
    if (!quill_bench::FillStudyLog(path) || !quill_bench::SpreadMarks(path, 300)) return 1;

    studyLog::StudyLog log(path);
    quill::StudySession session(path);
    session.Study("A");
    session.Finish();
    Clock::time_point marked;
    // Before the window's own handling of the session's notice, which its constructor connects.
    QObject::connect(&session, &quill::StudySession::AttemptRecorded,
                     [&] { marked = Clock::now(); });
    ProgressWindow window(session, [](const std::string&, const std::string&) {});
    double update = 0;
    QObject::connect(&session, &quill::StudySession::AttemptRecorded,
                     [&] { update = Milliseconds(Clock::now() - marked); });

    double bestRead = 1e9;
    double bestReadAll = 1e9;
    double bestOpen = 1e9;
    double bestUpdate = 1e9;
    std::size_t read = 0;
    std::size_t readAll = 0;
    for (int run = 0; run < kRuns; ++run) {
        Clock::time_point start = Clock::now();
        read = log.Attempts("A").size();
        bestRead = std::min(bestRead, Milliseconds(Clock::now() - start));
        start = Clock::now();
        readAll = log.Attempts({}).size();
        bestReadAll = std::min(bestReadAll, Milliseconds(Clock::now() - start));

        window.hide();
        start = Clock::now();
        window.Show("A", book.string());
        while (!window.loaded()) session.Finish();
        QApplication::processEvents();
        bestOpen = std::min(bestOpen, Milliseconds(Clock::now() - start));

        const std::string record = "p0004" + std::to_string(run % 10) + ".kif";
        session.StartedSolving("A", record, std::time(nullptr) - 100);
        session.Mark("A", record, studyLog::Outcome::kSolved);
        session.Finish();
        bestUpdate = std::min(bestUpdate, update);
    }

    std::printf("log:                           %zu attempts, 5,000 records in book A\n", readAll);
    std::printf("reading every attempt:         %.2f ms\n", bestReadAll);
    std::printf("reading book A's attempts:     %zu attempts, %.2f ms\n", read, bestRead);
    std::printf("window opened on book A:       %.2f ms, ratio %.2fx (goal: at most 100 ms)\n",
                bestOpen, bestOpen / bestRead);
    std::printf("a mark counted in:             %.3f ms, ratio %.3fx (goal: at most 16 ms)\n",
                bestUpdate, bestUpdate / bestRead);
    fs::remove_all(root);
    return 0;
}
