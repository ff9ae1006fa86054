#include "gui/study/log_worker.h"

#include <utility>

namespace quill {

LogWorker::LogWorker(std::string path, int busyMilliseconds, std::function<void()> wake)
    : path_(std::move(path)),
      busyMilliseconds_(busyMilliseconds),
      wake_(std::move(wake)),
      log_(path_, busyMilliseconds),
      thread_([this] { Run(); }) {
    log_.KeepNotices();
}

LogWorker::~LogWorker() {
    WaitUntilIdle(std::chrono::milliseconds(busyMilliseconds_));
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        jobs_.clear();
    }
    posted_.notify_all();
    thread_.join();
}

void LogWorker::Post(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    posted_.notify_one();
}

bool LogWorker::WaitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return jobs_.empty() && !running_; });
}

std::size_t LogWorker::DropWaiting() {
    std::lock_guard lock(mutex_);
    return std::exchange(jobs_, {}).size();
}

LogWorker::Reply LogWorker::TakeReply() {
    std::lock_guard lock(mutex_);
    if (replies_.empty()) return {};
    Reply reply = std::move(replies_.front());
    replies_.pop_front();
    return reply;
}

void LogWorker::Run() {
    std::unique_lock lock(mutex_);
    // The constructor's body marks the log as keeping its notices before any job is posted.
    while (true) {
        posted_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
        if (stop_) return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        Reply reply = job(log_);
        lock.lock();
        replies_.push_back(std::move(reply));
        running_ = false;
        lock.unlock();
        if (wake_) wake_();
        idle_.notify_all();
        lock.lock();
    }
}

}  // namespace quill
