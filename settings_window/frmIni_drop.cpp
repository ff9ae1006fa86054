// Dropping a program file onto a path box puts the file's full path into the box.
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <exception>

#include "gui/path_box.h"
#include "gui/text_conversion.h"
#include "settings_window/frmIni.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "ui_frmIni.h"

namespace {

// The first entry of the drop's file list; empty when the data carries no files (dragged
// text, for example) or its first entry is not a local file.
std::string FirstDroppedFile(const QMimeData& data) {
    if (!data.hasUrls()) return {};
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty()) return {};
    // Qt writes "/" on every system; on Windows the box, the settings file and the command lines
    // take the path with the system's own backslashes, as the user would type it.
    return quill::FromQt(QDir::toNativeSeparators(urls.first().toLocalFile()));
}

// Tells the source that we only read its data. A source offered "move" would otherwise delete
// its file, or cut dragged text out of another box.
void AnswerWithoutTakingData(QDropEvent& event) {
    if (event.possibleActions() & Qt::CopyAction) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else if (event.possibleActions() & Qt::LinkAction) {
        event.setDropAction(Qt::LinkAction);
        event.accept();
    } else {
        event.ignore();
    }
}

}  // namespace

// The four boxes differ only in the box that takes the path.
void frmIni::txtKifFWin_OLEDragDrop(const QMimeData& Data) {
    TakeDroppedPath(*ui->txtKifFWin, Data);
}
void frmIni::txtKShogi_OLEDragDrop(const QMimeData& Data) { TakeDroppedPath(*ui->txtKShogi, Data); }
void frmIni::txtUWSC_OLEDragDrop(const QMimeData& Data) { TakeDroppedPath(*ui->txtUWSC, Data); }
void frmIni::txtTerapad_OLEDragDrop(const QMimeData& Data) {
    TakeDroppedPath(*ui->txtTerapad, Data);
}

void frmIni::TakeDroppedPath(QLineEdit& box, const QMimeData& Data) {
    // Nothing in here may escape into Qt's event delivery; a drop we cannot read counts as a
    // drop without a file.
    bool taken = false;
    try {
        const std::string path = FirstDroppedFile(Data);
        if (modFunc::FileHasContent(path)) {
            quill::SetPathText(box, path);
            taken = true;
        }
    } catch (const std::exception&) {
        taken = false;
    }
    if (!taken) modFunc::ShowMessage(modConst::kMsgDropAFile);
}

int frmIni::IndexOfBox(const QObject* object) const {
    for (int index = 0; index < kPathCount; ++index) {
        if (pathBoxes_[index] == object) return index;
    }
    return -1;
}

void frmIni::HandleDrop(int Index, QDropEvent& event) {
    AnswerWithoutTakingData(event);
    const QMimeData* data = event.mimeData();
    if (data == nullptr) {
        modFunc::ShowMessage(modConst::kMsgDropAFile);
        return;
    }
    switch (Index) {
        case kKifFWin:
            txtKifFWin_OLEDragDrop(*data);
            break;
        case kKShogi:
            txtKShogi_OLEDragDrop(*data);
            break;
        case kUWSC:
            txtUWSC_OLEDragDrop(*data);
            break;
        case kTerapad:
            txtTerapad_OLEDragDrop(*data);
            break;
        default:
            break;
    }
}

// The boxes never insert dropped data themselves: every drag is let in so that its drop reaches
// the handler, which alone decides what the box gets.
bool frmIni::eventFilter(QObject* watched, QEvent* event) {
    const int index = IndexOfBox(watched);
    if (index < 0) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            AnswerWithoutTakingData(*drag);
            if (!drag->isAccepted()) drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop:
            HandleDrop(index, *static_cast<QDropEvent*>(event));
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}
