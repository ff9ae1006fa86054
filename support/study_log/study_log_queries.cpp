// What the study log answers: the marks of a book, a record's history, the cycles of a book.
#include "support/study_log/study_log.h"

namespace studyLog {
namespace {

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

std::string ResultsQuery(std::string_view filter) {
    std::string sql(kResultsOfRecords);
    const std::string placeholder = "%FILTER%";
    sql.replace(sql.find(placeholder), placeholder.size(), filter);
    return sql;
}

RecordResults ResultsOfRow(const sqlite::Statement& row) {
    RecordResults results;
    results.record = row.Text(0);
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
        ResultsQuery("1 = 1"), [&](sqlite::Statement& query) { query.Bind(1, book); },
        [&](const sqlite::Statement& row) { results.push_back(ResultsOfRow(row)); });
    return results;
}

std::map<std::string, Outcome> StudyLog::LastOutcomes(const std::string& book) {
    std::map<std::string, Outcome> outcomes;
    // With max(), SQLite takes the other columns from the row of the greatest id.
    Read(
        "SELECT record, result, max(id) FROM attempt_log WHERE book = ?1 GROUP BY record",
        [&](sqlite::Statement& query) { query.Bind(1, book); },
        [&](const sqlite::Statement& row) {
            if (std::optional<Outcome> outcome = OutcomeOf(row.Text(1))) {
                outcomes.emplace(row.Text(0), *outcome);
            }
        });
    return outcomes;
}

RecordHistory StudyLog::History(const std::string& book, const std::string& record) {
    RecordHistory history;
    Read(
        ResultsQuery("record = ?2"),
        [&](sqlite::Statement& query) {
            query.Bind(1, book);
            query.Bind(2, record);
        },
        [&](const sqlite::Statement& row) { history = ResultsOfRow(row).history; });
    return history;
}

int StudyLog::CurrentCycle(const std::string& book) {
    int cycle = 1;
    Read(
        "SELECT max(cycle) FROM cycle_log WHERE book = ?1",
        [&](sqlite::Statement& query) { query.Bind(1, book); },
        [&](const sqlite::Statement& row) { cycle = std::max(cycle, IntegerOf(row, 0)); });
    return cycle;
}

std::vector<RecordResults> StudyLog::CycleResults(const std::string& book, int cycle) {
    std::vector<RecordResults> results;
    Read(
        ResultsQuery("cycle = ?2"),
        [&](sqlite::Statement& query) {
            query.Bind(1, book);
            query.Bind(2, static_cast<std::int64_t>(cycle));
        },
        [&](const sqlite::Statement& row) { results.push_back(ResultsOfRow(row)); });
    return results;
}

std::vector<CycleTotals> StudyLog::Cycles(const std::string& book) {
    std::vector<CycleTotals> cycles;
    Read(
        "SELECT cycle, started, records, solved, failed, gave_up, attempts, seconds "
        "FROM cycles WHERE book = ?1 ORDER BY cycle",
        [&](sqlite::Statement& query) { query.Bind(1, book); },
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
