#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "main_window/page_worker.h"
#include "main_window/record_preview.h"

class QListWidget;
class PreviewPopup;

// The preview of the problem list. Resting the mouse on a record shows, after the usual tooltip
// delay, the popup beside the list; the menu key or Shift+F10 shows it for the selected record.
// It hides when the mouse leaves the list or moves to another entry, and at any key. It selects
// nothing and runs no handler.
class ListPreview : public QObject {
    Q_OBJECT

  public:
    // `bookFolder` gives the folder of the listed records, and `history` the study log's line for
    // a record of it, at the moment of each showing.
    ListPreview(QListWidget& list, std::function<std::string()> bookFolder,
                std::function<std::string(const std::string& record)> history);

    // Shows the popup for entry `row` of the list; false when there is no such entry.
    bool ShowFor(int row);
    void Hide();
    // The history of `record` changed: shown again when the popup shows it.
    void HistoryChanged(const std::string& record);
    PreviewPopup* popup() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool ListEvent(QEvent* event);
    bool ViewportEvent(QEvent* event);
    void ReadPage(const std::shared_ptr<quill::RecordPreview>& preview);

    QListWidget& list_;
    // Events reach the filter while the list is being taken down too, so the watched objects
    // are told apart by these and the popup may already be gone.
    QObject* viewport_;
    std::function<std::string()> bookFolder_;
    std::function<std::string(const std::string& record)> history_;
    QPointer<PreviewPopup> popup_;  // made at the first showing, owned by the list
    int shownRow_ = -1;
    quill::PreviewCache cache_;
    std::shared_ptr<quill::RecordPreview> reading_;  // the preview whose page is being read
    PageWorker pages_;  // last, so that its thread ends before the rest goes
};
