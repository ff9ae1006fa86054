#include "gui/entry_selection.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace quill {
namespace {

// Notes which entry was current when a mouse button went down on the list, before the press can
// change it. A click that ends on that same entry has selected nothing new, so no change of
// selection reports it.
class PressWatcher : public QObject {
  public:
    explicit PressWatcher(QListWidget& list) : QObject(&list), list_(list) {
        list.viewport()->installEventFilter(this);
    }
    int rowAtPress() const { return rowAtPress_; }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) rowAtPress_ = list_.currentRow();
        return false;
    }

  private:
    QListWidget& list_;
    int rowAtPress_ = -1;
};

}  // namespace

void OnEntrySelected(QListWidget& list, std::function<void()> handler) {
    auto* watcher = new PressWatcher(list);
    QObject::connect(&list, &QListWidget::currentRowChanged, watcher, [handler](int row) {
        if (row >= 0) handler();
    });
    QObject::connect(&list, &QListWidget::itemClicked, watcher,
                     [&list, watcher, handler](QListWidgetItem* item) {
                         const int row = list.row(item);
                         if (row >= 0 && row == watcher->rowAtPress() && row == list.currentRow()) {
                             handler();
                         }
                     });
}

}  // namespace quill
