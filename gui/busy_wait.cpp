#include "gui/busy_wait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <exception>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace quill {
namespace {

// What a user does to a window; painting, timers and the system's own notices pass.
bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

// Keeps the input that reaches a window while installed, and hands it back in order.
class InputKeeper : public QObject {
  public:
    InputKeeper() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputKeeper() override { QCoreApplication::instance()->removeEventFilter(this); }

    // Posts what was kept to the windows it was meant for, in the order it came.
    void Deliver() {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [window, event] : kept_) {
            if (window) QCoreApplication::postEvent(window, event.release());
        }
        kept_.clear();
    }

  protected:
    // Input is taken where it first arrives, at the window, before any control sees it.
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!receiver->isWindowType() || !IsUserInput(event->type())) return false;
        kept_.emplace_back(QPointer<QObject>(receiver), std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

  private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> kept_;
};

}  // namespace

void BusyWait(const std::function<void()>& blocking) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    InputKeeper keeper;
    QEventLoop loop;
    // What the call throws is thrown again here, after the wait, as a plain call would throw it.
    std::exception_ptr failure;
    std::thread worker([&blocking, &loop, &failure] {
        try {
            blocking();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Painting and timers go on; input is kept by the keeper.
    loop.exec();
    worker.join();
    QGuiApplication::restoreOverrideCursor();
    keeper.Deliver();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace quill
