#include "main_window/qt_services.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QVariant>
#include <algorithm>

#include "main_window/group_frame_style.h"
#include "platform/outside_world.h"
#include "support/modConst.h"
#include "version.h"

namespace quill {
namespace {

// The Japanese gothic fonts the windows are designed with, and installed families that draw
// the same characters where those are missing.
const QString kGothic = QStringLiteral("ＭＳ ゴシック");
const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kDialogFont = QStringLiteral("MS UI Gothic");
const QStringList kGothicStandIns = {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP",
                                     "VL Gothic", "TakaoGothic"};
const QStringList kProportionalGothicStandIns = {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP",
                                                 "VL PGothic", "TakaoPGothic"};

// A family that is not installed sends Qt through a search of every installed font for each
// size, weight and script it is drawn in: an eighth of all the work of starting the program. So
// each designed face is looked up once, and the controls get the family found.
QString DrawingFamily(const QString& designed, const QStringList& standIns) {
    if (QFontDatabase::hasFamily(designed)) return designed;
    for (const QString& family : standIns) {
        if (QFontDatabase::hasFamily(family)) return family;
    }
    return designed;
}

QtMessageBox g_messageBox;

}  // namespace

void SetUpApplication(QApplication& app) {
    app.setApplicationName(QString::fromUtf8(modConst::kAppTitle.data(),
                                             static_cast<int>(modConst::kAppTitle.size())));
    // The windows are laid out to the pixel for the usual Japanese dialog font at 9 points.
    QFont dialogFont(DrawingFamily(kDialogFont, kProportionalGothicStandIns));
    dialogFont.setPointSizeF(9);
    app.setFont(dialogFont);
    // Only Fusion, the style Qt chooses where the desktop names none, draws frames from an
    // image; a desktop's own style is left as it is.
    if (app.style()->name() == QLatin1String("fusion")) {
        app.setStyle(new GroupFrameStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    }
    platform::InstallMessageBox(&g_messageBox);
}

QString GothicFamily(Gothic face) {
    static const QString fixed = DrawingFamily(kGothic, kGothicStandIns);
    static const QString proportional =
        DrawingFamily(kProportionalGothic, kProportionalGothicStandIns);
    return face == Gothic::Fixed ? fixed : proportional;
}

void SetGothicFont(QWidget& control, Gothic face, double points, bool bold) {
    QFont font = control.font();
    font.setFamily(GothicFamily(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    control.setFont(font);
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
