#include "gui/busy_wait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
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

// The window a receiver of input belongs to: itself, or the window of the control it is.
QWindow* WindowOf(QObject* receiver) {
    if (receiver->isWindowType()) return static_cast<QWindow*>(receiver);
    if (receiver->isWidgetType()) return static_cast<QWidget*>(receiver)->window()->windowHandle();
    return nullptr;
}

// Keeps the input that reaches the windows shown when it was made, and hands it back in order.
// It is taken where it first arrives, at the window, before any control sees it; text that an
// input method commits goes to the focused control rather than to its window, and is kept there.
// A key is offered to its window as a possible shortcut before the window is given it: the keeper
// takes that offer, so that no shortcut acts inside the wait; the key itself, handed back
// afterwards, is offered again when it reaches its control, as every key posted to a control is.
// A window opened during the wait (a message, a dialog) is not kept from its user. A close ends
// what the user meant to do with that window: it is handed back, and nothing that came after it
// for that window, so that it closes as it would have, and starts nothing more; the other windows
// keep their input.
class InputKeeper : public QObject {
  public:
    InputKeeper() {
        for (QWindow* window : QGuiApplication::allWindows()) watched_.emplace_back(window);
        QCoreApplication::instance()->installEventFilter(this);
    }
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
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const bool committedText = event->type() == QEvent::InputMethod;
        if (!committedText && (!receiver->isWindowType() || !IsUserInput(event->type()))) {
            return false;
        }
        QWindow* window = WindowOf(receiver);
        if (!Holds(watched_, window)) return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (!Holds(closed_, window)) {
            kept_.emplace_back(QPointer<QObject>(receiver),
                               std::unique_ptr<QEvent>(event->clone()));
        }
        if (event->type() == QEvent::Close) closed_.emplace_back(window);
        return true;
    }

  private:
    static bool Holds(const std::vector<QPointer<QWindow>>& windows, const QWindow* window) {
        return window != nullptr &&
               std::any_of(windows.begin(), windows.end(),
                           [window](const QPointer<QWindow>& held) { return held == window; });
    }

    std::vector<QPointer<QWindow>> watched_;
    std::vector<QPointer<QWindow>> closed_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> kept_;
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
