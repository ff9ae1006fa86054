#include "gui/path_box.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

#include "gui/text_conversion.h"

namespace quill {
namespace {

constexpr const char* kPathBytes = "quillPathBytes";
constexpr const char* kPathShown = "quillPathShown";

}  // namespace

void SetPathText(QLineEdit& box, const std::string& path) {
    const QString text = ToQt(path);
    box.setText(text);
    if (FromQt(text) == path) {
        box.setProperty(kPathBytes, QVariant());
        box.setProperty(kPathShown, QVariant());
        return;
    }
    box.setProperty(kPathBytes, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    box.setProperty(kPathShown, box.text());
}

std::string PathText(const QLineEdit& box) {
    const QVariant bytes = box.property(kPathBytes);
    if (bytes.isValid() && box.property(kPathShown).toString() == box.text()) {
        return bytes.toByteArray().toStdString();
    }
    return FromQt(box.text());
}

}  // namespace quill
