// The results window of a book of 5,000 records with 50,000 attempts in its current cycle: the
// window built, filled and shown from what the study session remembers, and one row shown again
// after a mark, against reading the cycle's attempts alone (which the session does once, on the
// log's thread).
//
//   build/bench/bench_results [folder]     (default: the system's temporary folder)
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise. Timed in turns, 15 times each; the best
// time of each is kept.

#include <unistd.h>

#include <QApplication>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "gui/study/study_session.h"
#include "study_log_fill.h"
#include "study_windows/results/results_model.h"
#include "study_windows/results/results_window.h"
#include "support/study_log/sqlite_database.h"
#include "support/study_log/study_log.h"

namespace fs = std::filesystem;
using quill_bench::Clock;
using quill_bench::kRuns;
using quill_bench::Milliseconds;

namespace {

constexpr int kRecords = 5000;

// 50,000 attempts at the 5,000 records of book "A", a third each solved, failed and given up,
// nine in ten timed.
bool FillLog(const std::string& path) {
    studyLog::StudyLog log(path);
    if (!log.Record("A", "p00000.kif", studyLog::Outcome::kSolved)) return false;
    sqlite::Database database;
    if (!sqlite::Database::OpenFile(path, sqlite::Database::Open::kExisting, &database)) {
        return false;
    }
    const sqlite::Result filled = database.Execute(R"sql(
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 49999)
INSERT INTO attempt_log (book, record, started, marked, seconds, result, cycle)
SELECT 'A', printf('p%05d.kif', i % 5000), '2026-12-08T14:00:00', '2026-12-08T14:03:00',
       CASE WHEN i % 10 = 0 THEN NULL ELSE 30 + i % 600 END,
       CASE i % 3 WHEN 0 THEN 'solved' WHEN 1 THEN 'failed' ELSE 'gave up' END, 1
FROM n;
COMMIT;
)sql");
    if (!filled) std::fprintf(stderr, "%s\n", filled.message.c_str());
    return static_cast<bool>(filled);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = base / ("quill-bench-results-" + std::to_string(getpid()));
    const fs::path book = root / "book" / "A";
    quill_bench::MakeBook(book, kRecords);
    const std::string path = (root / "Quillmere-study.sqlite").string();
    if (!FillLog(path)) return 1;

    studyLog::StudyLog log(path);
    quill::StudySession session(path);
    session.Study("A");
    session.Finish();
    const auto select = [](const std::string&, const std::string&) {};
    double bestRead = 1e9;
    double bestOpen = 1e9;
    double bestUpdate = 1e9;
    std::size_t read = 0;
    int rows = 0;
    Clock::time_point marked;
    double update = 0;
    // Around the window's own handling of the session's notice, which it connects in between.
    QObject::connect(&session, &quill::StudySession::AttemptRecorded,
                     [&] { marked = Clock::now(); });
    for (int run = 0; run < kRuns; ++run) {
        Clock::time_point start = Clock::now();
        read = log.CycleResults("A", log.CurrentCycle("A")).size();
        bestRead = std::min(bestRead, Milliseconds(Clock::now() - start));

        start = Clock::now();
        auto window = std::make_unique<ResultsWindow>(session, "A", book.string(), select);
        window->Refresh();
        window->show();
        QApplication::processEvents();
        bestOpen = std::min(bestOpen, Milliseconds(Clock::now() - start));

        const QMetaObject::Connection after =
            QObject::connect(&session, &quill::StudySession::AttemptRecorded,
                             [&] { update = Milliseconds(Clock::now() - marked); });
        session.Mark("A", "p00042.kif", studyLog::Outcome::kSolved);
        session.Finish();
        QObject::disconnect(after);
        bestUpdate = std::min(bestUpdate, update);
        rows = window->recordsModel().rowCount();
    }

    std::printf("book A:                        %d records, 50,000 attempts in its cycle\n", rows);
    std::printf("reading the cycle's results:   %zu records, %.2f ms\n", read, bestRead);
    std::printf("results window built, shown:   %.2f ms, ratio %.2fx (goal: at most 50 ms)\n",
                bestOpen, bestOpen / bestRead);
    std::printf("one row shown after a mark:    %.3f ms, ratio %.3fx (goal: at most 2 ms)\n",
                bestUpdate, bestUpdate / bestRead);
    fs::remove_all(root);
    return 0;
}
