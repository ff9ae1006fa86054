#include "gui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/text_conversion.h"

namespace quill {

void QtMessageBox::Show(const std::string& text) {
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), shown, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace quill
