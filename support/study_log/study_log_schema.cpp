#include "support/study_log/study_log_schema.h"

#include <iterator>
#include <optional>
#include <string>

namespace studyLog {
namespace {

// What each version adds to the one before it; element 0 makes version 1 of an empty file.
// Never changed once released: a new version is a new element.
constexpr const char* kMigrations[] = {
    // 1: each attempt, and the view for readers of the file.
    R"sql(
CREATE TABLE attempt_log (
    id INTEGER PRIMARY KEY,
    book TEXT NOT NULL,
    record TEXT NOT NULL,
    started TEXT,
    marked TEXT NOT NULL,
    seconds INTEGER CHECK (seconds IS NULL OR seconds >= 0),
    result TEXT NOT NULL CHECK (result IN ('solved', 'failed', 'gave up')));
CREATE INDEX attempt_log_by_record ON attempt_log (book, record, result);
CREATE VIEW attempts AS
    SELECT book, record, started, marked, seconds, result FROM attempt_log ORDER BY id;
)sql",
    // 2: cycles of a book, each attempt in the cycle it was marked in. The attempts already
    // there make up the first cycle of their book, started when its first attempt was.
    R"sql(
ALTER TABLE attempt_log ADD COLUMN cycle INTEGER NOT NULL DEFAULT 1;
CREATE TABLE cycle_log (
    book TEXT NOT NULL,
    cycle INTEGER NOT NULL CHECK (cycle >= 1),
    started TEXT NOT NULL,
    PRIMARY KEY (book, cycle));
INSERT INTO cycle_log (book, cycle, started)
    SELECT book, 1, min(coalesce(started, marked)) FROM attempt_log GROUP BY book;
CREATE VIEW cycles AS
WITH last AS (
    SELECT book, cycle, result,
           row_number() OVER (PARTITION BY book, cycle, record ORDER BY id DESC) AS newest
    FROM attempt_log),
results AS (
    SELECT book, cycle, sum(result = 'solved') AS solved, sum(result = 'failed') AS failed,
           sum(result = 'gave up') AS gave_up, count(*) AS records
    FROM last WHERE newest = 1 GROUP BY book, cycle),
totals AS (
    SELECT book, cycle, count(*) AS attempts, sum(seconds) AS seconds
    FROM attempt_log GROUP BY book, cycle)
SELECT c.book, c.cycle, c.started, coalesce(r.records, 0) AS records,
       coalesce(r.solved, 0) AS solved, coalesce(r.failed, 0) AS failed,
       coalesce(r.gave_up, 0) AS gave_up, coalesce(t.attempts, 0) AS attempts, t.seconds
FROM cycle_log AS c
LEFT JOIN results AS r ON r.book = c.book AND r.cycle = c.cycle
LEFT JOIN totals AS t ON t.book = c.book AND t.cycle = c.cycle
ORDER BY c.book, c.cycle;
)sql",
};
static_assert(std::size(kMigrations) == kSchemaVersion);

}  // namespace

std::optional<int> SchemaVersionOf(sqlite::Database& database, sqlite::Result* result) {
    sqlite::Statement statement = database.Prepare("PRAGMA user_version");
    std::optional<int> version;
    if (statement.Next()) version = static_cast<int>(statement.Integer(0).value_or(0));
    *result = statement.result();
    return *result ? version : std::nullopt;
}

sqlite::Result MigrateForward(sqlite::Database& database, int* found, int target) {
    sqlite::Transaction transaction(database);
    if (!transaction.begun()) return transaction.begun();
    sqlite::Result result;
    // Read again under the write lock: another copy of the program may have migrated meanwhile.
    const std::optional<int> version = SchemaVersionOf(database, &result);
    if (!version) return result;
    *found = *version;
    if (*version >= target) return {};
    for (int next = *version + 1; next <= target; ++next) {
        result = database.Execute(kMigrations[next - 1]);
        if (!result) return result;
    }
    result = database.Execute("PRAGMA user_version = " + std::to_string(target));
    if (!result) return result;
    return transaction.Commit();
}

}  // namespace studyLog
