#include "support/review_schedule/review_schedule.h"

#include <algorithm>
#include <utility>

namespace reviewSchedule {

Rating RatingOf(studyLog::Outcome outcome) {
    return outcome == studyLog::Outcome::kSolved ? Rating::kGood : Rating::kAgain;
}

ReviewSchedule::ReviewSchedule(double desiredRetention) : fsrs_(desiredRetention) {}

bool ReviewSchedule::Add(const studyLog::MarkedAttempt& attempt) {
    const std::optional<StudyDay> day = studyDay::StudyDayOfLocalText(attempt.marked);
    if (!day) return false;
    Add(attempt.book, attempt.record, *day, attempt.outcome);
    return true;
}

void ReviewSchedule::Add(std::string_view book, std::string_view record, StudyDay day,
                         studyLog::Outcome outcome) {
    auto ofBook = index_.find(book);
    if (ofBook == index_.end()) ofBook = index_.emplace(std::string(book), PlaceOfRecord()).first;
    auto place = ofBook->second.find(record);
    const bool isNew = place == ofBook->second.end();
    if (isNew) place = ofBook->second.emplace(std::string(record), records_.size()).first;
    std::optional<MemoryState> before;
    int elapsedDays = 0;
    if (isNew) {
        RecordSchedule added;
        added.book = std::string(book);
        added.record = std::string(record);
        records_.push_back(std::move(added));
    } else {
        const RecordSchedule& known = records_[place->second];
        before = known.step.memory;
        elapsedDays = std::max(0, day - known.lastDay);
    }
    RecordSchedule& schedule = records_[place->second];
    schedule.step = fsrs_.Review(before, elapsedDays, RatingOf(outcome));
    schedule.lastDay = isNew ? day : std::max(day, schedule.lastDay);
    schedule.attempts += 1;
    schedule.last = outcome;
    schedule.due = schedule.lastDay + fsrs_.IntervalAfter(schedule.step);
}

void ReviewSchedule::SetDesiredRetention(double desiredRetention) {
    fsrs_ = Fsrs(desiredRetention, fsrs_.weights());
    for (RecordSchedule& record : records_) {
        record.due = record.lastDay + fsrs_.IntervalAfter(record.step);
    }
}

const RecordSchedule* ReviewSchedule::Find(std::string_view book, std::string_view record) const {
    const auto ofBook = index_.find(book);
    if (ofBook == index_.end()) return nullptr;
    const auto place = ofBook->second.find(record);
    return place == ofBook->second.end() ? nullptr : &records_[place->second];
}

double ReviewSchedule::Retrievability(const RecordSchedule& record, StudyDay today) const {
    return fsrs_.Retrievability(std::max(0, today - record.lastDay), record.step.memory.stability);
}

int ReviewSchedule::OverdueDays(const RecordSchedule& record, StudyDay today) {
    return std::max(0, today - record.due);
}

ScheduleCounts ReviewSchedule::Counts(StudyDay today) const {
    ScheduleCounts counts;
    for (const RecordSchedule& record : records_) {
        if (record.due <= today) {
            ++counts.dueNow;
            if (record.due < today) ++counts.overdue;
        } else if (record.due == today + 1) {
            ++counts.dueTomorrow;
        } else {
            ++counts.later;
        }
    }
    return counts;
}

std::vector<const RecordSchedule*> ReviewSchedule::Due(StudyDay today) const {
    std::vector<const RecordSchedule*> due;
    for (const RecordSchedule& record : records_) {
        if (record.due <= today) due.push_back(&record);
    }
    // Each name compared once: thousands of records share a due day, most of them a book.
    std::sort(due.begin(), due.end(), [](const RecordSchedule* a, const RecordSchedule* b) {
        if (a->due != b->due) return a->due < b->due;
        if (const int book = a->book.compare(b->book); book != 0) return book < 0;
        return a->record < b->record;
    });
    return due;
}

std::optional<StudyDay> ReviewSchedule::NextDueAfter(StudyDay today) const {
    std::optional<StudyDay> next;
    for (const RecordSchedule& record : records_) {
        if (record.due > today && (!next || record.due < *next)) next = record.due;
    }
    return next;
}

ReviewSchedule ReplayAttempts(const std::vector<studyLog::MarkedAttempt>& attempts,
                              double desiredRetention) {
    ReviewSchedule schedule(desiredRetention);
    for (const studyLog::MarkedAttempt& attempt : attempts) schedule.Add(attempt);
    return schedule;
}

ReviewSchedule ReplayLog(studyLog::StudyLog& log, double desiredRetention) {
    ReviewSchedule schedule(desiredRetention);
    log.ReadAttempts("", [&](const studyLog::MarkedAttempt& attempt) { schedule.Add(attempt); });
    return schedule;
}

int CountNeverTried(const ReviewSchedule& schedule, const std::string& book,
                    const std::vector<std::string>& records) {
    return static_cast<int>(std::count_if(records.begin(), records.end(), [&](const auto& record) {
        return schedule.Find(book, record) == nullptr;
    }));
}

}  // namespace reviewSchedule
