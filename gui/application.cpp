#include "gui/application.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include "gui/fonts.h"
#include "gui/group_frame_style.h"
#include "gui/message_box.h"
#include "gui/text_conversion.h"
#include "support/modConst.h"
#include "support/outside_world.h"
#include "version.h"

namespace quill {
namespace {

QtMessageBox g_messageBox;

// Qt's own dialogs and menus (the save dialog, a line edit's menu, a message box's buttons) in
// Japanese, as the program's own texts are: from the folder "translations" beside the program
// (the Windows package), else from the system Qt's folder of translations. Without either they
// speak English, and the program starts all the same.
void InstallQtTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString name = QStringLiteral("qtbase_ja");
    for (const QString& folder :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

}  // namespace

void SetUpApplication(QApplication& app) {
    app.setApplicationName(ToQt(modConst::kAppTitle));
    InstallQtTranslations(app);
    // The windows are laid out to the pixel for the usual Japanese dialog font at 9 points.
    QFont dialogFont(DialogFontFamily());
    dialogFont.setPointSizeF(9);
    app.setFont(dialogFont);
    // Only Fusion, the style Qt chooses where the desktop names none, draws frames from an
    // image; a desktop's own style is left as it is.
    if (app.style()->name() == QLatin1String("fusion")) {
        app.setStyle(new GroupFrameStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    }
    outside::InstallMessageService(&g_messageBox);
}

QString MainWindowTitle() {
    return QStringLiteral("%1.exe %2.%3.%4")
        .arg(ToQt(modConst::kAppTitle))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

}  // namespace quill
