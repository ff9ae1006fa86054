// Starts the main window as the program's main() does, on the program folder given, and reports
// when it is first painted. Run by bench_start_up; not a benchmark by itself.
#include <QApplication>

#include "bench/first_paint.h"
#include "gui/application.h"
#include "main_window/frmMain.h"
#include "support/modFunc.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    quill::SetUpApplication(app);
    modFunc::OverrideProgramFolder(argv[1]);
    frmMain window;
    window.show();
    bench::RunUntilPainted(window);
    bench::ReportShownAndLeave();
}
