#include "main_window/list_preview.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "gui/list_box.h"
#include "gui/text_conversion.h"
#include "main_window/preview_popup.h"

ListPreview::ListPreview(QListWidget& list, std::function<std::string()> bookFolder,
                         std::function<std::string(const std::string& record)> history)
    : QObject(&list),
      list_(list),
      viewport_(list.viewport()),
      bookFolder_(std::move(bookFolder)),
      history_(std::move(history)) {
    list_.installEventFilter(this);
    list_.viewport()->installEventFilter(this);
    list_.viewport()->setMouseTracking(true);
}

bool ListPreview::ShowFor(int row) {
    const std::string name = quill::ListEntry(list_, row);
    if (name.empty()) {
        Hide();
        return false;
    }
    if (popup_ == nullptr) popup_ = new PreviewPopup(&list_);
    const QSize box = PreviewPopup::PageBox() * list_.devicePixelRatioF();
    std::shared_ptr<quill::RecordPreview> preview = cache_.Get(bookFolder_(), name, box);
    preview->history = quill::ToQt(history_(name));
    // Beside the main window, level with the entry, so that every control stays in reach.
    const QRect entry = list_.visualItemRect(list_.item(row));
    popup_->Show(preview, list_.window()->frameGeometry(),
                 list_.viewport()->mapToGlobal(entry.topLeft()).y());
    if (shownRow_ < 0) QCoreApplication::instance()->installEventFilter(this);
    shownRow_ = row;
    ReadPage(preview);
    return true;
}

void ListPreview::HistoryChanged(const std::string& record) {
    if (shownRow_ >= 0 && popup_ != nullptr && popup_->isVisible() &&
        quill::ListEntry(list_, shownRow_) == record) {
        ShowFor(shownRow_);
    }
}

// The page is read off the user-interface thread and kept with the preview; the popup shows it
// if it still shows that preview. Only the page of the latest showing is read.
void ListPreview::ReadPage(const std::shared_ptr<quill::RecordPreview>& preview) {
    if (preview == reading_) return;
    reading_.reset();
    pages_.Drop();
    if (preview->page) return;
    reading_ = preview;
    pages_.Read(preview->pagePath, preview->pageBox, [this, preview](quill::PageImage page) {
        reading_.reset();
        preview->page = std::move(page);
        if (popup_ != nullptr && popup_->isVisible() && popup_->preview() == preview.get()) {
            popup_->ShowPage();
        }
    });
}

void ListPreview::Hide() {
    if (popup_ != nullptr) popup_->hide();
    if (shownRow_ >= 0) QCoreApplication::instance()->removeEventFilter(this);
    shownRow_ = -1;
}

bool ListPreview::eventFilter(QObject* watched, QEvent* event) {
    // While the popup is shown, a click anywhere hides it and goes on to what it was aimed at.
    if (shownRow_ >= 0 && (event->type() == QEvent::MouseButtonPress ||
                           event->type() == QEvent::NonClientAreaMouseButtonPress)) {
        Hide();
        return false;
    }
    if (watched == viewport_) return ViewportEvent(event);
    if (watched == &list_) return ListEvent(event);
    return false;
}

bool ListPreview::ViewportEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip: {
            const QPoint at = static_cast<QHelpEvent*>(event)->pos();
            const QModelIndex index = list_.indexAt(at);
            // Taken, so that the tooltip machinery counts it shown and the next entry's popup
            // follows quickly.
            return ShowFor(index.isValid() ? index.row() : -1);
        }
        case QEvent::MouseMove:
            if (shownRow_ >= 0 &&
                list_.indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).row() !=
                    shownRow_) {
                Hide();
            }
            return false;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            Hide();
            return false;
        default:
            return false;
    }
}

bool ListPreview::ListEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool menuKey =
                key->key() == Qt::Key_Menu ||
                (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
            if (menuKey) {
                ShowFor(list_.currentRow());
                return true;
            }
            Hide();  // Esc as any other key; the key goes on to the list as before
            return false;
        }
        case QEvent::ContextMenu:
            // Where the system turns the menu key into a context menu request itself.
            if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
                ShowFor(list_.currentRow());
                return true;
            }
            return false;
        case QEvent::Hide:
        case QEvent::FocusOut:
            Hide();
            return false;
        default:
            return false;
    }
}

PreviewPopup* ListPreview::popup() const { return popup_; }
