#pragma once

#include <QFrame>
#include <memory>

#include "main_window/record_preview.h"

class BoardView;
class QLabel;

// The popup that shows a record's preview beside the problem list: the board (or in one line
// why there is none) with the record's title, author and number of moves under it, the page
// image beside it, and the first lines of the companion text file below.
class PreviewPopup : public QFrame {
    Q_OBJECT

  public:
    explicit PreviewPopup(QWidget* parent);

    // The page image's box, in device-independent pixels.
    static QSize PageBox();

    // Shows `preview` with its top at `top`, beside `window` (the main window's frame) on its
    // right, or else on its left, so that it covers none of the window's controls; only where
    // the screen has room on neither side does it lie over the window, kept inside the screen.
    void Show(std::shared_ptr<const quill::RecordPreview> preview, const QRect& window, int top);
    const quill::RecordPreview* preview() const { return preview_.get(); }

  private:
    // Where Show puts the popup, in global coordinates, for its present size.
    QPoint Place(const QRect& window, int top) const;

    std::shared_ptr<const quill::RecordPreview> preview_;
    BoardView* board_;
    QLabel* reason_;
    QLabel* header_;
    QLabel* page_;
    QLabel* notes_;
};
