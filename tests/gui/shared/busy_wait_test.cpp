// The wait that holds a handler but not the windows: what the user does meanwhile is kept and
// delivered after it, shortcuts among it, and nothing after a close to the window closed.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <functional>
#include <future>
#include <string>
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

// A key, or a close as the window system asks for one.
void Send(QWindow& window, QEvent::Type type) {
    if (type == QEvent::Close) {
        window.close();
    } else {
        QTest::keyClick(&window, Qt::Key_Space);
    }
}

// Runs `input` inside the wait on the windows' thread, where the user's input arrives.
void DuringTheWait(QObject& window, const std::function<void()>& input) {
    std::promise<void> done;
    QMetaObject::invokeMethod(
        &window,
        [&] {
            input();
            done.set_value();
        },
        Qt::QueuedConnection);
    ASSERT_EQ(done.get_future().wait_for(std::chrono::seconds(15)), std::future_status::ready);
}

// During the wait the user closes another window, presses a key, closes the window and presses
// two keys more; after it the window is given the first key and the close, and nothing more.
TEST(BusyWaitTest, NothingAfterACloseIsDelivered) {
    InputLog window, other;
    window.show();
    other.show();
    quill::BusyWait([&window, &other] {
        DuringTheWait(window, [&] {
            Send(other, QEvent::Close);
            for (QEvent::Type type :
                 {QEvent::KeyPress, QEvent::Close, QEvent::KeyPress, QEvent::KeyPress}) {
                Send(window, type);
            }
        });
        EXPECT_TRUE(window.received.empty()) << "nothing is delivered during the wait";
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(window.received, (std::vector<QEvent::Type>{QEvent::KeyPress, QEvent::Close}));
    EXPECT_EQ(other.received, std::vector<QEvent::Type>{QEvent::Close});
}

// Shows a message and answers it with Escape; false when the answer did not reach it.
bool ShowAndAnswerMessage(QWidget* window) {
    QMessageBox box(QMessageBox::Information, "Quillmere", "?", QMessageBox::Ok, window);
    QTimer::singleShot(100, &box, [&box] { QTest::keyClick(box.windowHandle(), Qt::Key_Escape); });
    QTimer::singleShot(2000, &box, &QMessageBox::hide);
    return box.exec() == QMessageBox::Ok;
}

// A message opened during the wait is answered during it; a shortcut pressed in the wait acts
// after it, and the message it shows is answered.
TEST(BusyWaitTest, AShortcutActsAfterTheWaitAndEveryMessageIsAnswered) {
    QWidget window;
    std::vector<std::string> happened;
    QShortcut shortcut(QKeySequence(Qt::CTRL | Qt::Key_1), &window);
    QObject::connect(&shortcut, &QShortcut::activated, [&] {
        happened.push_back(ShowAndAnswerMessage(&window) ? "shortcut, answered" : "shortcut");
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    quill::BusyWait([&] {
        DuringTheWait(window, [&] {
            happened.push_back(ShowAndAnswerMessage(&window) ? "answered" : "not answered");
            window.activateWindow();  // as the window manager does when the message goes
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            QTest::keyClick(window.windowHandle(), Qt::Key_1, Qt::ControlModifier);
        });
        EXPECT_EQ(happened, std::vector<std::string>{"answered"});
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return happened.size() == 2; }));
    EXPECT_EQ(happened, (std::vector<std::string>{"answered", "shortcut, answered"}));
}

}  // namespace
