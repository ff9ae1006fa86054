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

#include "gui/main_thread.h"

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

// Keeps the input that reaches a window while installed, and hands it back in order. Text that
// an input method commits goes to the focused control rather than to its window, and is kept
// there. A close ends what the user meant to do: it is handed back, and nothing that came after
// it, so that a window closed during the wait closes as it would have, and starts nothing more.
class InputKeeper : public QObject {
  public:
    InputKeeper() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputKeeper() override { QCoreApplication::instance()->removeEventFilter(this); }

    // Posts what was kept to the windows and controls it was meant for, in the order it came.
    void Deliver() {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [receiver, event] : kept_) {
            if (receiver) QCoreApplication::postEvent(receiver, event.release());
        }
        kept_.clear();
    }

  protected:
    // Input is taken where it first arrives, at the window, before any control sees it.
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const bool committedText = event->type() == QEvent::InputMethod;
        if (!committedText && (!receiver->isWindowType() || !IsUserInput(event->type()))) {
            return false;
        }
        if (!closed_) {
            kept_.emplace_back(QPointer<QObject>(receiver),
                               std::unique_ptr<QEvent>(event->clone()));
        }
        if (event->type() == QEvent::Close) closed_ = true;
        return true;
    }

  private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> kept_;
    bool closed_ = false;
};

}  // namespace

void BusyWait(const std::function<void()>& blocking) {
    Q_ASSERT_X(IsMainThread(), "BusyWait", "only the user-interface thread waits");
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
