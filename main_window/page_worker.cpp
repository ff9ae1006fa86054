#include "main_window/page_worker.h"

#include <QMetaObject>

PageWorker::PageWorker(QObject* parent)
    : QObject(parent), latest_(std::make_shared<std::atomic<std::uint64_t>>(0)) {
    pool_.setMaxThreadCount(1);
}

PageWorker::~PageWorker() {
    Drop();
    // The thread calls on this object only while it is waited for here; an answer it posted
    // and this thread has not yet delivered goes with the object.
    pool_.waitForDone();
}

void PageWorker::Read(std::string path, QSize box, Done done) {
    const std::uint64_t ticket = ++ticket_;
    latest_->store(ticket);
    done_ = std::move(done);
    pool_.start([this, path = std::move(path), box, ticket, latest = latest_] {
        const auto dropped = [&] { return latest->load() != ticket; };
        if (dropped()) return;
        quill::PageImage page = quill::ReadPageImage(path, box, dropped);
        if (dropped()) return;
        QMetaObject::invokeMethod(
            this,
            [this, ticket, page = std::move(page)]() mutable { Deliver(ticket, std::move(page)); },
            Qt::QueuedConnection);
    });
}

void PageWorker::Drop() {
    ++ticket_;
    latest_->store(ticket_);
    done_ = nullptr;
}

void PageWorker::Deliver(std::uint64_t ticket, quill::PageImage page) {
    if (ticket != ticket_ || !done_) return;
    const Done done = std::move(done_);
    done_ = nullptr;
    done(std::move(page));
}
