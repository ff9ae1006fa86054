#include "support/review_schedule/review_schedule.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
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

namespace {

// Attempts read from the log and copied out, for the thread that replays them.
struct Batch {
    struct Row {
        std::size_t book;  // where each text begins in `texts`; each ends where the next begins
        std::size_t record;
        std::size_t marked;
        std::size_t end;
        studyLog::Outcome outcome;
    };
    std::string texts;
    std::vector<Row> rows;

    void Append(const studyLog::MarkedAttempt& attempt) {
        Row row{texts.size(), 0, 0, 0, attempt.outcome};
        texts += attempt.book;
        row.record = texts.size();
        texts += attempt.record;
        row.marked = texts.size();
        texts += attempt.marked;
        row.end = texts.size();
        rows.push_back(row);
    }
    std::string_view Text(std::size_t from, std::size_t to) const {
        return std::string_view(texts).substr(from, to - from);
    }
};

// Batches from the reading thread to the replaying one, a few at a time.
class BatchQueue {
  public:
    void Put(Batch batch) {
        std::unique_lock lock(mutex_);
        taken_.wait(lock, [&] { return batches_.size() < kMostWaiting; });
        batches_.push_back(std::move(batch));
        put_.notify_one();
    }
    void Close() {
        const std::lock_guard lock(mutex_);
        closed_ = true;
        put_.notify_one();
    }
    // The next batch; nothing once the queue is closed and empty.
    std::optional<Batch> Take() {
        std::unique_lock lock(mutex_);
        put_.wait(lock, [&] { return closed_ || !batches_.empty(); });
        if (batches_.empty()) return std::nullopt;
        Batch batch = std::move(batches_.front());
        batches_.pop_front();
        taken_.notify_one();
        return batch;
    }

  private:
    static constexpr std::size_t kMostWaiting = 4;
    std::mutex mutex_;
    std::condition_variable put_;
    std::condition_variable taken_;
    std::deque<Batch> batches_;
    bool closed_ = false;
};

}  // namespace

ReviewSchedule ReplayLog(studyLog::StudyLog& log, double desiredRetention,
                         std::size_t rowsInBatch) {
    // Reading the log and replaying its attempts take about as long each, so a second thread
    // replays what this one has read, in order, while it reads on.
    ReviewSchedule schedule(desiredRetention);
    BatchQueue queue;
    std::thread replaying([&] {
        while (const std::optional<Batch> batch = queue.Take()) {
            for (const Batch::Row& row : batch->rows) {
                schedule.Add({batch->Text(row.book, row.record),
                              batch->Text(row.record, row.marked), batch->Text(row.marked, row.end),
                              row.outcome, std::nullopt});
            }
        }
    });
    Batch batch;
    log.ReadAttempts("", [&](const studyLog::MarkedAttempt& attempt) {
        batch.Append(attempt);
        if (batch.rows.size() >= rowsInBatch) queue.Put(std::exchange(batch, Batch()));
    });
    if (!batch.rows.empty()) queue.Put(std::move(batch));
    queue.Close();
    replaying.join();
    return schedule;
}

int CountNeverTried(const ReviewSchedule& schedule, const std::string& book,
                    const std::vector<std::string>& records) {
    return static_cast<int>(std::count_if(records.begin(), records.end(), [&](const auto& record) {
        return schedule.Find(book, record) == nullptr;
    }));
}

}  // namespace reviewSchedule
