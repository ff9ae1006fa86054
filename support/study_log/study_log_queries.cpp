// What the study log answers: the marks of a book, a record's history, every attempt, the
// cycles of a book.
#include "support/study_log/study_log.h"
#include "support/utf8_escape.h"

namespace studyLog {
namespace {

// Whether a stored name may hold an escaped byte (U+F780 to U+F7FF, utf8_escape.h): the common
// names need no copy.
bool MayBeEscaped(std::string_view stored) {
    return stored.find("\xEF\x9E") != std::string_view::npos ||
           stored.find("\xEF\x9F") != std::string_view::npos;
}

// Each record's count of attempts, last outcome and its time, and best solved time, among the
// attempts the WHERE clause that follows picks.
constexpr std::string_view kResultsOfRecords = R"sql(
WITH grouped AS (
    SELECT record, count(*) AS attempts, max(id) AS last_id,
           min(CASE WHEN result = 'solved' THEN seconds END) AS best,
           coalesce(sum(seconds), 0) AS total, count(seconds) AS timed
    FROM attempt_log WHERE book = ?1 AND %FILTER% GROUP BY record)
SELECT g.record, g.attempts, a.result, a.seconds, g.best, g.total, g.timed
FROM grouped AS g JOIN attempt_log AS a ON a.id = g.last_id ORDER BY g.record
)sql";

// The attempts of a book's current cycle (the first when the book has none yet).
constexpr std::string_view kInCurrentCycle =
    "cycle = (SELECT coalesce(max(cycle), 1) FROM cycle_log WHERE book = ?1)";

// The totals of each cycle of a book, as the view `cycles` has them, from the tables.
constexpr std::string_view kCyclesOfBook = R"sql(
WITH last AS (
    SELECT cycle, result,
           row_number() OVER (PARTITION BY cycle, record ORDER BY id DESC) AS newest
    FROM attempt_log WHERE book = ?1),
results AS (
    SELECT cycle, sum(result = 'solved') AS solved, sum(result = 'failed') AS failed,
           sum(result = 'gave up') AS gave_up, count(*) AS records
    FROM last WHERE newest = 1 GROUP BY cycle),
totals AS (
    SELECT cycle, count(*) AS attempts, sum(seconds) AS seconds
    FROM attempt_log WHERE book = ?1 GROUP BY cycle)
SELECT c.cycle, c.started, coalesce(r.records, 0), coalesce(r.solved, 0),
       coalesce(r.failed, 0), coalesce(r.gave_up, 0), coalesce(t.attempts, 0), t.seconds
FROM cycle_log AS c
LEFT JOIN results AS r ON r.cycle = c.cycle
LEFT JOIN totals AS t ON t.cycle = c.cycle
WHERE c.book = ?1 ORDER BY c.cycle
)sql";

std::string ResultsQuery(std::string_view filter) {
    std::string sql(kResultsOfRecords);
    const std::string placeholder = "%FILTER%";
    sql.replace(sql.find(placeholder), placeholder.size(), filter);
    return sql;
}

RecordResults ResultsOfRow(const sqlite::Statement& row) {
    RecordResults results;
    results.record = utf8::Unescaped(row.Text(0));
    results.history.attempts = static_cast<int>(row.Integer(1).value_or(0));
    results.history.last = OutcomeOf(row.Text(2));
    results.history.lastSeconds = row.Integer(3);
    results.history.bestSeconds = row.Integer(4);
    results.totalSeconds = row.Integer(5).value_or(0);
    results.timedAttempts = static_cast<int>(row.Integer(6).value_or(0));
    return results;
}

int IntegerOf(const sqlite::Statement& row, int column) {
    return static_cast<int>(row.Integer(column).value_or(0));
}

}  // namespace

bool StudyLog::Read(std::string_view sql, const std::function<void(sqlite::Statement&)>& bind,
                    const std::function<void(const sqlite::Statement&)>& row) {
    sqlite::Database* database = Connect(false);
    if (database == nullptr) return false;
    sqlite::Statement statement = database->Prepare(sql);
    bind(statement);
    while (statement.Next()) row(statement);
    if (statement.result()) return true;
    const sqlite::Result failure = statement.result();
    statement = sqlite::Statement();
    Fail(failure, false);
    return false;
}

std::vector<RecordResults> StudyLog::BookResults(const std::string& book) {
    std::vector<RecordResults> results;
    Read(
        ResultsQuery("1 = 1"),
        [&](sqlite::Statement& query) { query.Bind(1, utf8::Escaped(book)); },
        [&](const sqlite::Statement& row) { results.push_back(ResultsOfRow(row)); });
    return results;
}

std::map<std::string, Outcome> StudyLog::LastOutcomes(const std::string& book) {
    std::map<std::string, Outcome> outcomes;
    // With max(), SQLite takes the other columns from the row of the greatest id.
    Read(
        "SELECT record, result, max(id) FROM attempt_log WHERE book = ?1 AND " +
            std::string(kInCurrentCycle) + " GROUP BY record",
        [&](sqlite::Statement& query) { query.Bind(1, utf8::Escaped(book)); },
        [&](const sqlite::Statement& row) {
            if (std::optional<Outcome> outcome = OutcomeOf(row.Text(1))) {
                outcomes.emplace(utf8::Unescaped(row.Text(0)), *outcome);
            }
        });
    return outcomes;
}

RecordHistory StudyLog::History(const std::string& book, const std::string& record) {
    return HistoryAmong(book, record, "record = ?2");
}

CycleHistory StudyLog::HistoryInCycle(const std::string& book, const std::string& record) {
    CycleHistory history;
    history.cycle = CurrentCycle(book);
    history.all = History(book, record);
    history.inCycle =
        history.cycle == 1
            ? history.all
            : HistoryAmong(book, record, "record = ?2 AND " + std::string(kInCurrentCycle));
    return history;
}

RecordHistory StudyLog::HistoryAmong(const std::string& book, const std::string& record,
                                     const std::string& filter) {
    RecordHistory history;
    Read(
        ResultsQuery(filter),
        [&](sqlite::Statement& query) {
            query.Bind(1, utf8::Escaped(book));
            query.Bind(2, utf8::Escaped(record));
        },
        [&](const sqlite::Statement& row) { history = ResultsOfRow(row).history; });
    return history;
}

bool StudyLog::ReadAttempts(const std::string& book,
                            const std::function<void(const MarkedAttempt&)>& each) {
    return Read(
        "SELECT book, record, marked, result, seconds FROM attempt_log "
        "WHERE ?1 = '' OR book = ?1 ORDER BY id",
        [&](sqlite::Statement& query) { query.Bind(1, utf8::Escaped(book)); },
        [&](const sqlite::Statement& row) {
            const std::optional<Outcome> outcome = OutcomeOf(row.TextView(3));
            if (!outcome) return;
            // A name kept escaped (its folder's name is not UTF-8) is handed over as its bytes.
            std::string_view book = row.TextView(0);
            std::string_view record = row.TextView(1);
            std::string bookBytes;
            std::string recordBytes;
            if (MayBeEscaped(book) || MayBeEscaped(record)) {
                bookBytes = utf8::Unescaped(book);
                recordBytes = utf8::Unescaped(record);
                book = bookBytes;
                record = recordBytes;
            }
            each({book, record, row.TextView(2), *outcome, row.Integer(4)});
        });
}

std::optional<int> StudyLog::RetentionPercent() {
    std::optional<int> percent;
    Read(
        "SELECT retention_percent FROM review_settings "
        "WHERE id = 1 AND typeof(retention_percent) = 'integer'",
        [](sqlite::Statement&) {},
        [&](const sqlite::Statement& row) {
            const std::int64_t stored = row.Integer(0).value_or(0);
            if (stored >= kLeastRetentionPercent && stored <= kGreatestRetentionPercent) {
                percent = static_cast<int>(stored);
            }
        });
    return percent;
}

std::vector<KeptAttempt> StudyLog::Attempts(const std::string& book) {
    std::vector<KeptAttempt> attempts;
    ReadAttempts(book, [&](const MarkedAttempt& attempt) {
        attempts.push_back({std::string(attempt.book), std::string(attempt.record),
                            std::string(attempt.marked), attempt.outcome, attempt.seconds});
    });
    return attempts;
}

int StudyLog::CurrentCycle(const std::string& book) {
    int cycle = 1;
    Read(
        "SELECT max(cycle) FROM cycle_log WHERE book = ?1",
        [&](sqlite::Statement& query) { query.Bind(1, utf8::Escaped(book)); },
        [&](const sqlite::Statement& row) { cycle = std::max(cycle, IntegerOf(row, 0)); });
    return cycle;
}

std::vector<RecordResults> StudyLog::CycleResults(const std::string& book, int cycle) {
    std::vector<RecordResults> results;
    Read(
        ResultsQuery("cycle = ?2"),
        [&](sqlite::Statement& query) {
            query.Bind(1, utf8::Escaped(book));
            query.Bind(2, static_cast<std::int64_t>(cycle));
        },
        [&](const sqlite::Statement& row) { results.push_back(ResultsOfRow(row)); });
    return results;
}

std::vector<CycleTotals> StudyLog::Cycles(const std::string& book) {
    std::vector<CycleTotals> cycles;
    Read(
        kCyclesOfBook, [&](sqlite::Statement& query) { query.Bind(1, utf8::Escaped(book)); },
        [&](const sqlite::Statement& row) {
            CycleTotals totals;
            totals.cycle = IntegerOf(row, 0);
            totals.started = row.Text(1);
            totals.records = IntegerOf(row, 2);
            totals.solved = IntegerOf(row, 3);
            totals.failed = IntegerOf(row, 4);
            totals.gaveUp = IntegerOf(row, 5);
            totals.attempts = IntegerOf(row, 6);
            totals.seconds = row.Integer(7);
            cycles.push_back(std::move(totals));
        });
    return cycles;
}

}  // namespace studyLog
