#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "support/study_log/study_log.h"

namespace quill {

// The study log on a thread of its own, with its own connection: jobs run there one at a time,
// in the order they were posted, and each hands back a reply, plain data in a function that the
// user-interface thread runs. The log is used on that thread only and keeps its notices.
class LogWorker {
  public:
    // What the user-interface thread runs with a job's answer.
    using Reply = std::function<void()>;
    // Runs on the log's thread; gets the log and gives back its reply.
    using Job = std::function<Reply(studyLog::StudyLog& log)>;

    // `wake` is called on the log's thread after each reply is ready.
    LogWorker(std::string path, int busyMilliseconds, std::function<void()> wake);
    // Lets the jobs posted run, waiting at most the busy timeout, and ends after the one under
    // way; the rest are dropped.
    ~LogWorker();
    LogWorker(const LogWorker&) = delete;
    LogWorker& operator=(const LogWorker&) = delete;

    const std::string& path() const { return path_; }
    int busyMilliseconds() const { return busyMilliseconds_; }

    void Post(Job job);
    // Waits until every job posted has run, at most `timeout`; true when they have.
    bool WaitUntilIdle(std::chrono::milliseconds timeout);
    // Drops the jobs not begun; how many there were.
    std::size_t DropWaiting();
    // The oldest reply not yet taken, or an empty function.
    Reply TakeReply();

  private:
    void Run();

    const std::string path_;
    const int busyMilliseconds_;
    const std::function<void()> wake_;
    studyLog::StudyLog log_;  // on the log's thread only, after the constructor
    std::mutex mutex_;
    std::condition_variable posted_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    std::deque<Reply> replies_;
    bool running_ = false;  // a job is under way
    bool stop_ = false;
    std::thread thread_;  // last, so that it starts when the rest is ready
};

}  // namespace quill
