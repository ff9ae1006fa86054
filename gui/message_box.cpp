#include "gui/message_box.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>

#include "gui/main_thread.h"
#include "gui/text_conversion.h"

namespace quill {
namespace {
Q_LOGGING_CATEGORY(lcOutside, "quillmere.outside")
}  // namespace

void QtMessageBox::Show(const std::string& text) {
    Q_ASSERT_X(IsMainThread(), "QtMessageBox::Show", "a message box off the user-interface thread");
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), shown, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtMessageBox::LogWarning(const std::string& text) {
    qCWarning(lcOutside).noquote() << ToQt(text);
}

}  // namespace quill
