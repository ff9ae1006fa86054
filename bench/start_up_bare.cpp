// The baseline of bench_start_up: a bare Qt window of the main window's size, started the same
// way, reporting when it is first painted.
#include <QApplication>
#include <QWidget>

#include "bench/first_paint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QWidget window;
    window.setFixedSize(231, 556);
    window.show();
    bench::RunUntilPainted(window);
    bench::ReportShownAndLeave();
}
