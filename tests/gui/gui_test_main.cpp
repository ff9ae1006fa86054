#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "main_window/qt_services.h"

// The GUI tests run with one application object, offscreen unless told otherwise.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    quill::SetUpApplication(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
