#include "main_window/qt_services.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QVariant>
#include <algorithm>

#include "platform/outside_world.h"
#include "support/modConst.h"
#include "version.h"

namespace quill {
namespace {

// The Japanese gothic fonts the windows are designed with, and installed families that draw
// the same characters where those are missing.
const QStringList kGothicFallbacks = {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP",
                                      "VL Gothic", "TakaoGothic"};
const QStringList kProportionalGothicFallbacks = {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP",
                                                  "VL PGothic", "TakaoPGothic"};

void MapFont(const QString& designed, const QStringList& fallbacks) {
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(designed)) return;
    QStringList present;
    for (const QString& family : fallbacks) {
        if (installed.contains(family)) present << family;
    }
    if (!present.isEmpty()) QFont::insertSubstitutions(designed, present);
}

QtMessageBox g_messageBox;

}  // namespace

void SetUpApplication(QApplication& app) {
    app.setApplicationName(QString::fromUtf8(modConst::kAppTitle.data(),
                                             static_cast<int>(modConst::kAppTitle.size())));
    MapFont(QStringLiteral("ＭＳ ゴシック"), kGothicFallbacks);
    MapFont(QStringLiteral("ＭＳ Ｐゴシック"), kProportionalGothicFallbacks);
    MapFont(QStringLiteral("MS UI Gothic"), kProportionalGothicFallbacks);
#ifdef _WIN32
    QFont dialogFont(QStringLiteral("MS UI Gothic"));
#else
    // The windows are laid out to the pixel for the usual Japanese dialog font at 9 points.
    QFont dialogFont(QStringLiteral("MS UI Gothic"));
#endif
    dialogFont.setPointSizeF(9);
    app.setFont(dialogFont);
    platform::InstallMessageBox(&g_messageBox);
}

QString MainWindowTitle() {
    return QStringLiteral("%1.exe %2.%3.%4")
        .arg(QString::fromUtf8(modConst::kAppTitle.data(),
                               static_cast<int>(modConst::kAppTitle.size())))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

void QtMessageBox::Show(const std::string& text) {
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), shown, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ListWidgetBox::Clear() { list_.clear(); }

void ListWidgetBox::Append(const std::string& item) {
    auto* entry = new QListWidgetItem(ToQt(item));
    KeepEntryBytes(*entry, item);
    list_.addItem(entry);
}

void ListWidgetBox::AppendMany(const std::vector<std::string>& items) {
    const int first = list_.count();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) texts.push_back(ToQt(item));
    list_.addItems(texts);
    for (std::size_t i = 0; i < items.size(); ++i) {
        KeepEntryBytes(*list_.item(first + static_cast<int>(i)), items[i]);
    }
}

void KeepEntryBytes(QListWidgetItem& item, const std::string& entry) {
    const bool ascii = std::all_of(entry.begin(), entry.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || FromQt(item.text()) == entry) return;
    item.setData(kEntryBytesRole, QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
}

std::string ListEntry(const QListWidget& list, int index) {
    if (index < 0 || index >= list.count()) return {};
    const QListWidgetItem& item = *list.item(index);
    const QVariant bytes = item.data(kEntryBytesRole);
    if (bytes.isValid()) return bytes.toByteArray().toStdString();
    return FromQt(item.text());
}

std::string SelectedEntry(const QListWidget& list) { return ListEntry(list, list.currentRow()); }

}  // namespace quill
