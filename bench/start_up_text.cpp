// A second baseline of bench_start_up: a bare Qt window that shows one line of Japanese text,
// so that the cost of loading fonts and drawing text, which any Japanese window pays, can be
// told apart from the cost of the program itself.
#include <QApplication>
#include <QLabel>

#include "bench/first_paint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QLabel window(QStringLiteral("書籍フォルダ kifファイル"));
    window.setFixedSize(231, 556);
    window.show();
    bench::RunUntilPainted(window);
    bench::ReportShownAndLeave();
}
