#pragma once

#include <QString>

class QApplication;

namespace quill {

// Fonts, style, Qt's own Japanese texts, the message box service and the application's name.
// Called once, before any window.
void SetUpApplication(QApplication& app);

// The window title: application title, ".exe ", version.
QString MainWindowTitle();

}  // namespace quill
