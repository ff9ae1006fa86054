#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

#include "gui/application.h"
#include "main_window/frmMain.h"
#include "platform/display.h"

int main(int argc, char** argv) {
    // Without any display Qt would only print its own error; say plainly what is needed instead.
    if (!platform::DisplayAvailable()) {
        std::fprintf(
            stderr,
            "Quillmere needs a graphical display, and none was found (DISPLAY is not set).\n"
            "Start it from a desktop session, or on a virtual display, for example:\n"
            "  xvfb-run -a %s\n"
            "scripts/run-sample.sh does that for you and saves a screenshot.\n",
            argc > 0 ? argv[0] : "Quillmere");
        return 2;
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    quill::SetUpApplication(app);
    frmMain window;
    window.show();
    return QApplication::exec();
}
