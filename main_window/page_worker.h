#pragma once

#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "main_window/page_reading.h"

// Reads page images on a thread of its own, one at a time, so that no page, however large,
// holds the window. The thread is given only a path and a size and hands back only the page
// read; the answer is delivered on the user-interface thread.
class PageWorker : public QObject {
  public:
    using Done = std::function<void(quill::PageImage)>;

    explicit PageWorker(QObject* parent = nullptr);
    // Stops the reading under way and waits for its end, which comes soon.
    ~PageWorker() override;

    // Reads the page image at `path` to fit `box` and gives it to `done`, later, on this
    // object's thread. Drops the request before.
    void Read(std::string path, QSize box, Done done);
    // Drops the request under way: its `done` is never called, and its reading stops soon.
    void Drop();

  private:
    void Deliver(std::uint64_t ticket, quill::PageImage page);

    // The latest request's number, shared with the thread: the reading of any other stops.
    std::shared_ptr<std::atomic<std::uint64_t>> latest_;
    std::uint64_t ticket_ = 0;
    Done done_;
    QThreadPool pool_;  // last, so that it is taken down first
};
