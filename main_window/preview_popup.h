#pragma once

#include <QFrame>
#include <memory>

#include "main_window/record_preview.h"

class BoardView;
class QLabel;

// The popup that shows a record's preview beside the problem list: the board (or in one line
// why there is none) with the record's title, author and number of moves under it, the page
// image beside it, and the first lines of the companion text file below. A page still being read
// leaves its place empty until ShowPage.
class PreviewPopup : public QFrame {
    Q_OBJECT

  public:
    explicit PreviewPopup(QWidget* parent);

    // The page image's box, in device-independent pixels.
    static QSize PageBox();

    void Show(std::shared_ptr<const quill::RecordPreview> preview, QPoint beside);
    // Shows the page of the preview shown, now that it has been read.
    void ShowPage();
    const quill::RecordPreview* preview() const { return preview_.get(); }

  private:
    void FillPage();
    void Place();

    std::shared_ptr<const quill::RecordPreview> preview_;
    QPoint beside_;
    BoardView* board_;
    QLabel* reason_;
    QLabel* header_;
    QLabel* page_;
    QLabel* notes_;
};
