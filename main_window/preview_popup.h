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

    // Shows `preview` with its top at `top`, beside `window` (the main window's frame) on its
    // right, or else on its left, so that it covers none of the window's controls; only where
    // the screen has room on neither side does it lie over the window, kept inside the screen.
    void Show(std::shared_ptr<const quill::RecordPreview> preview, const QRect& window, int top);
    // Shows the page of the preview shown, now that it has been read.
    void ShowPage();
    const quill::RecordPreview* preview() const { return preview_.get(); }

  private:
    void FillPage();
    // Sizes the popup to what it shows and puts it in its place.
    void Reposition();
    // Where the popup goes, in global coordinates, for its present size.
    QPoint Place(const QRect& window, int top) const;

    std::shared_ptr<const quill::RecordPreview> preview_;
    QRect window_;  // the main window's frame, which the popup stands beside
    int top_ = 0;
    BoardView* board_;
    QLabel* reason_;
    QLabel* header_;
    QLabel* page_;
    QLabel* notes_;
    QLabel* history_;  // what the study log holds of the record
};
