#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "gui/application.h"

// The GUI tests run with one application object, offscreen unless told otherwise. (Asking Qt
// about the environment before the application exists would set up Qt's view of the system too
// early on Windows, where the fonts are then named in a way the font database does not find.)
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quill::SetUpApplication(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
