#pragma once

#include <QString>
#include <string>
#include <string_view>

// Text crosses between the program's UTF-8 and Qt's strings here, at the windows' edge.
namespace quill {

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) { return text.toStdString(); }

}  // namespace quill
