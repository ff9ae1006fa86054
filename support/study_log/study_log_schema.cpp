#include "support/study_log/study_log_schema.h"

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/utf8_escape.h"

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
    // 3: the cycle of each attempt in the view too, after the columns it had. (Names that are
    // not UTF-8 are escaped as well: EscapeNames.)
    R"sql(
DROP VIEW attempts;
CREATE VIEW attempts AS
    SELECT book, record, started, marked, seconds, result, cycle FROM attempt_log ORDER BY id;
)sql",
    // 4: the desired retention of the review schedule, in whole per cent, once the user has
    // chosen one (one row at most; none means the default).
    R"sql(
CREATE TABLE review_settings (
    id INTEGER PRIMARY KEY CHECK (id = 1),
    retention_percent INTEGER NOT NULL CHECK (retention_percent BETWEEN 70 AND 97));
)sql",
};
static_assert(std::size(kMigrations) == kSchemaVersion);

// The version that stores every name as valid UTF-8.
constexpr int kEscapedNamesVersion = 3;

// Each table, view, index and trigger of a database, as "type|name|table|sql", in order.
std::vector<std::string> SchemaOf(sqlite::Database& database, sqlite::Result* result) {
    sqlite::Statement query = database.Prepare(
        "SELECT type, name, tbl_name, coalesce(sql, '') FROM sqlite_schema ORDER BY type, name");
    std::vector<std::string> entries;
    while (query.Next()) {
        entries.push_back(query.Text(0) + '|' + query.Text(1) + '|' + query.Text(2) + '|' +
                          query.Text(3));
    }
    *result = query.result();
    return entries;
}

// What the program's own migrations make of an empty database at `version`.
std::vector<std::string> OwnSchemaAt(int version) {
    sqlite::Database own;
    sqlite::Result result =
        sqlite::Database::OpenFile(":memory:", sqlite::Database::Open::kCreate, &own);
    for (int step = 0; result && step < version; ++step) result = own.Execute(kMigrations[step]);
    return result ? SchemaOf(own, &result) : std::vector<std::string>{};
}

// Stores each name of the log that is not UTF-8 (as earlier versions kept them) in the escaped
// form.
sqlite::Result EscapeNames(sqlite::Database& database) {
    for (const char* column : {"book", "record"}) {
        const std::string name(column);
        std::vector<std::string> found;
        sqlite::Statement names =
            database.Prepare("SELECT DISTINCT " + name + " FROM attempt_log" +
                             (name == "book" ? " UNION SELECT book FROM cycle_log" : ""));
        while (names.Next()) found.push_back(names.Text(0));
        if (!names.result()) return names.result();
        for (const std::string& stored : found) {
            const std::string escaped = utf8::Escaped(stored);
            if (escaped == stored) continue;
            for (const char* table : {"attempt_log", "cycle_log"}) {
                if (name == "record" && std::string_view(table) == "cycle_log") continue;
                sqlite::Statement update =
                    database.Prepare("UPDATE " + std::string(table) + " SET " + name +
                                     " = ?1 WHERE " + name + " = ?2");
                update.Bind(1, escaped);
                update.Bind(2, stored);
                if (sqlite::Result result = update.Run(); !result) return result;
            }
        }
    }
    return {};
}

}  // namespace

sqlite::Result CheckOwnSchema(sqlite::Database& database, int version) {
    sqlite::Result result;
    const std::vector<std::string> schema = SchemaOf(database, &result);
    if (!result) return result;
    if (version < 0 || version > kSchemaVersion || schema != OwnSchemaAt(version)) {
        return {sqlite::Fault::kDamaged, "cannot read " + database.path() +
                                             ": its tables are not those of version " +
                                             std::to_string(version) + " of the log"};
    }
    return {};
}

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
    // Only the program's own tables are built on.
    result = CheckOwnSchema(database, *version);
    if (!result) return result;
    for (int next = *version + 1; next <= target; ++next) {
        result = database.Execute(kMigrations[next - 1]);
        if (result && next == kEscapedNamesVersion) result = EscapeNames(database);
        if (!result) return result;
    }
    result = database.Execute("PRAGMA user_version = " + std::to_string(target));
    if (!result) return result;
    return transaction.Commit();
}

}  // namespace studyLog
