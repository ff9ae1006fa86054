#pragma once

#include <QCoreApplication>
#include <QThread>

namespace quill {

// True on the thread that runs the application's event loop, the only one where widgets, message
// boxes and the support routines may go. Asserted where they are entered.
inline bool IsMainThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || QThread::currentThread() == application->thread();
}

}  // namespace quill
