#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/study_log/sqlite_database.h"
#include "support/study_log/study_log.h"

namespace quill_bench {

using Clock = std::chrono::steady_clock;

// How many times each figure is taken; the best is printed.
inline constexpr int kRuns = 15;

inline double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// A book folder of `records` records "p00000.kif" on, each of one byte.
inline void MakeBook(const std::filesystem::path& folder, int records) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < records; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "p%05d.kif", i);
        std::ofstream(folder / name) << "x";
    }
}

// A study log at `path` of 100,001 attempts: 20,000 at the 5,000 records of book `book` named by
// `recordName` (a printf format of the number, from 0), and 80,000 at 100 records of each of 199
// other books.
inline bool FillStudyLog(const std::string& path, const std::string& book = "A",
                         const std::string& recordName = "p%05d.kif") {
    sqlite::Database database;
    if (!sqlite::Database::OpenFile(path, sqlite::Database::Open::kCreate, &database)) return false;
    studyLog::StudyLog log(path);
    if (!log.Record("seed", "p000.kif", studyLog::Outcome::kSolved)) return false;
    if (!database.Execute("BEGIN")) return false;
    sqlite::Statement fill = database.Prepare(R"sql(
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999)
INSERT INTO attempt_log (book, record, started, marked, seconds, result, cycle)
SELECT CASE WHEN i < 20000 THEN ?1 ELSE 'B' || (i % 199) END,
       printf(?2, CASE WHEN i < 20000 THEN i % 5000 ELSE i % 100 END),
       '2026-12-08T14:00:00', '2026-12-08T14:03:00', 180,
       CASE i % 3 WHEN 0 THEN 'solved' WHEN 1 THEN 'failed' ELSE 'gave up' END, 1
FROM n
)sql");
    fill.Bind(1, book);
    fill.Bind(2, recordName);
    sqlite::Result filled = fill.Run();
    if (filled) filled = database.Execute("COMMIT");
    if (!filled) std::fprintf(stderr, "%s\n", filled.message.c_str());
    return static_cast<bool>(filled);
}

// The fill marks every attempt at one time; spreads them over 2026, in the order marked, about
// 270 a day, at hours from 00:00 to 23:00 (some before a study day begins at 04:00), so that most
// reviews of a record are days apart, as a student's are.
inline bool SpreadMarks(const std::string& path, int perDay = 274) {
    sqlite::Database database;
    if (!sqlite::Database::OpenFile(path, sqlite::Database::Open::kExisting, &database)) {
        return false;
    }
    const sqlite::Result spread = database.Execute(
        "UPDATE attempt_log SET marked = strftime('%Y-%m-%dT%H:%M:%S', '2026-01-01', "
        "'+' || (id / " +
        std::to_string(perDay) + ") || ' days', '+' || (id % 24) || ' hours')");
    if (!spread) std::fprintf(stderr, "%s\n", spread.message.c_str());
    return static_cast<bool>(spread);
}

// Reads every attempt of the log, each one's texts copied out as a reader that keeps them would;
// how many were read.
inline std::size_t ReadEveryAttempt(studyLog::StudyLog& log) {
    std::size_t read = 0;
    std::size_t bytes = 0;
    log.ReadAttempts("", [&](const studyLog::MarkedAttempt& attempt) {
        const std::string kept =
            std::string(attempt.book) + std::string(attempt.record) + std::string(attempt.marked);
        bytes += kept.size();
        ++read;
    });
    return read + (bytes == 0 ? 1 : 0);
}

}  // namespace quill_bench
