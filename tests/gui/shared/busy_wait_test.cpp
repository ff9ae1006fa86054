// The wait that holds a handler but not the windows: what the user does meanwhile is kept and
// delivered after it, and nothing after a close.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>
#include <chrono>
#include <future>
#include <vector>

#include "gui/busy_wait.h"

namespace {

// A window that writes down the input it is given.
class InputLog : public QWindow {
  public:
    std::vector<QEvent::Type> received;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Close || event->type() == QEvent::KeyPress) {
            received.push_back(event->type());
        }
        return QWindow::event(event);
    }
};

void Send(QWindow& window, QEvent::Type type) {
    if (type == QEvent::Close) {
        QCloseEvent close;
        QCoreApplication::sendEvent(&window, &close);
    } else {
        QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(&window, &key);
    }
}

// During the wait, on the window's thread, the user presses a key, closes the window and presses
// two keys more; after it the window is given the first key and the close, and nothing more.
TEST(BusyWaitTest, NothingAfterACloseIsDelivered) {
    InputLog window;
    window.show();
    quill::BusyWait([&window] {
        std::promise<void> done;
        QMetaObject::invokeMethod(
            &window,
            [&] {
                for (QEvent::Type type :
                     {QEvent::KeyPress, QEvent::Close, QEvent::KeyPress, QEvent::KeyPress}) {
                    Send(window, type);
                }
                done.set_value();
            },
            Qt::QueuedConnection);
        ASSERT_EQ(done.get_future().wait_for(std::chrono::seconds(5)), std::future_status::ready);
        EXPECT_TRUE(window.received.empty()) << "nothing is delivered during the wait";
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(window.received, (std::vector<QEvent::Type>{QEvent::KeyPress, QEvent::Close}));
}

}  // namespace
