#include "support/study_log/book_study.h"

#include <algorithm>

namespace studyLog {
namespace {

std::map<std::string, RecordResults> ByRecord(std::vector<RecordResults> results) {
    std::map<std::string, RecordResults> byRecord;
    for (RecordResults& result : results) {
        std::string record = result.record;
        byRecord.emplace(std::move(record), std::move(result));
    }
    return byRecord;
}

void Add(RecordResults& results, const Attempt& attempt) {
    const std::optional<std::int64_t> seconds = attempt.Seconds();
    RecordHistory& history = results.history;
    ++history.attempts;
    history.last = attempt.outcome;
    history.lastSeconds = seconds;
    if (seconds) {
        results.totalSeconds += *seconds;
        ++results.timedAttempts;
        if (attempt.outcome == Outcome::kSolved) {
            history.bestSeconds = std::min(history.bestSeconds.value_or(*seconds), *seconds);
        }
    }
}

// The totals of the current cycle, counted again from its records, as the log's view counts.
void CountCurrentCycle(BookStudy& study, const Attempt& attempt) {
    if (study.cycles.empty() || study.cycles.back().cycle != study.cycle) {
        CycleTotals begun;
        begun.cycle = study.cycle;
        begun.started = LocalTimeText(attempt.Seconds() ? *attempt.started : attempt.marked);
        study.cycles.push_back(std::move(begun));
    }
    CycleTotals& totals = study.cycles.back();
    const CycleTotals begun = totals;
    totals = CycleTotals();
    totals.cycle = begun.cycle;
    totals.started = begun.started;
    for (const auto& [record, results] : study.currentCycle) {
        ++totals.records;
        totals.attempts += results.history.attempts;
        if (results.timedAttempts > 0) {
            totals.seconds = totals.seconds.value_or(0) + results.totalSeconds;
        }
        ++CountOf(totals, results.history.last.value_or(Outcome::kSolved));
    }
}

}  // namespace

std::optional<std::int64_t> Attempt::Seconds() const {
    if (!started || *started > marked) return std::nullopt;
    return static_cast<std::int64_t>(marked - *started);
}

std::map<std::string, Outcome> BookStudy::LastOutcomes() const {
    std::map<std::string, Outcome> outcomes;
    for (const auto& [record, results] : currentCycle) {
        if (results.history.last)
            outcomes.emplace_hint(outcomes.end(), record, *results.history.last);
    }
    return outcomes;
}

CycleHistory BookStudy::History(const std::string& record) const {
    CycleHistory history;
    history.cycle = cycle;
    if (const RecordResults* inCycle = InCurrentCycle(record)) history.inCycle = inCycle->history;
    const auto all = allCycles.find(record);
    if (all != allCycles.end()) history.all = all->second.history;
    return history;
}

const RecordResults* BookStudy::InCurrentCycle(const std::string& record) const {
    const auto found = currentCycle.find(record);
    return found != currentCycle.end() ? &found->second : nullptr;
}

BookStudy ReadBookStudy(StudyLog& log, const std::string& book) {
    BookStudy study;
    study.cycle = log.CurrentCycle(book);
    study.currentCycle = ByRecord(log.CycleResults(book, study.cycle));
    study.allCycles = ByRecord(log.BookResults(book));
    study.cycles = log.Cycles(book);
    return study;
}

void AddAttempt(BookStudy& study, const Attempt& attempt) {
    for (auto* results : {&study.currentCycle, &study.allCycles}) {
        RecordResults& record = (*results)[attempt.record];
        record.record = attempt.record;
        Add(record, attempt);
    }
    CountCurrentCycle(study, attempt);
}

}  // namespace studyLog
