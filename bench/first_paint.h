#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QWidget>

// What the two start-up children share: they run the event loop until their window has been
// painted once, then tell the bench through their standard output, and leave at once, so that
// only the way up to the shown window is timed.
namespace bench {

inline void RunUntilPainted(QWidget& window) {
    class PaintWatcher : public QObject {
      public:
        bool painted = false;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) painted = true;
            return false;
        }
    } watcher;
    window.installEventFilter(&watcher);
    QElapsedTimer waited;
    waited.start();
    while (!watcher.painted && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window.removeEventFilter(&watcher);
}

// One byte on standard output says "shown"; the process then ends without tearing anything
// down, which the real program would only do when the user closes it.
[[noreturn]] inline void ReportShownAndLeave() {
    const char shown = '!';
    [[maybe_unused]] const ssize_t written = write(STDOUT_FILENO, &shown, 1);
    _exit(0);
}

}  // namespace bench
