#include "gui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

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

}  // namespace

QString DialogFontFamily() { return DrawingFamily(kDialogFont, kProportionalGothicStandIns); }

QString GothicFamily(Gothic face) {
    static const QString fixed = DrawingFamily(kGothic, kGothicStandIns);
    static const QString proportional =
        DrawingFamily(kProportionalGothic, kProportionalGothicStandIns);
    return face == Gothic::kFixed ? fixed : proportional;
}

void SetGothicFont(QWidget& control, Gothic face, double points, bool bold) {
    QFont font = control.font();
    font.setFamily(GothicFamily(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    control.setFont(font);
}

}  // namespace quill
