#include "main_window/preview_popup.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include "gui/fonts.h"
#include "gui/text_conversion.h"
#include "main_window/board_view.h"
#include "support/modConst.h"

namespace {

QString Text(std::string_view text) { return quill::ToQt(text); }

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    quill::SetGothicFont(*label, quill::Gothic::kFixed, 9);
    return label;
}

// The one line said in place of a page that is not shown.
QString PageReason(quill::PageProblem problem) {
    switch (problem) {
        case quill::PageProblem::kNoPage:
            return Text(modConst::kPreviewNoPage);
        case quill::PageProblem::kNotJpeg:
            return Text(modConst::kPreviewPageNotJpeg);
        case quill::PageProblem::kTooLarge:
            return Text(modConst::kPreviewPageTooLarge);
        default:
            return Text(modConst::kPreviewPageNotShown);
    }
}

}  // namespace

PreviewPopup::PreviewPopup(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      board_(new BoardView(this)),
      reason_(NewLabel(this, "previewReason")),
      header_(NewLabel(this, "previewHeader")),
      page_(NewLabel(this, "previewPage")),
      notes_(NewLabel(this, "previewNotes")),
      history_(NewLabel(this, "previewHistory")) {
    setObjectName(QStringLiteral("recordPreview"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xfa, 0xf7, 0xf0));
    colours.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    setPalette(colours);
    board_->setObjectName(QStringLiteral("previewBoard"));
    board_->setFixedSize(board_->sizeHint());
    reason_->setFixedWidth(board_->sizeHint().width());
    reason_->setWordWrap(true);
    page_->setAlignment(Qt::AlignCenter);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setHorizontalSpacing(8);
    layout->addWidget(board_, 0, 0, Qt::AlignTop);
    layout->addWidget(reason_, 0, 0, Qt::AlignTop);
    layout->addWidget(header_, 1, 0, Qt::AlignTop);
    layout->addWidget(page_, 0, 1, 2, 1, Qt::AlignTop);
    layout->addWidget(notes_, 2, 0, 1, 2);
    layout->addWidget(history_, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QSize PreviewPopup::PageBox() { return {180, 250}; }

QPoint PreviewPopup::Place(const QRect& window, int top) const {
    constexpr int kGap = 4;
    const QPoint right(window.right() + 1 + kGap, top);
    const QScreen* screen = QGuiApplication::screenAt(window.center());
    if (screen == nullptr) return right;
    const QRect room = screen->availableGeometry();
    QPoint place = right;
    if (right.x() + width() > room.right() + 1) {
        const int left = window.left() - kGap - width();
        place.setX(left >= room.left() ? left : std::max(room.left(), room.right() + 1 - width()));
    }
    place.setY(std::max(room.top(), std::min(top, room.bottom() + 1 - height())));
    return place;
}

void PreviewPopup::Show(std::shared_ptr<const quill::RecordPreview> preview, const QRect& window,
                        int top) {
    preview_ = std::move(preview);
    const quill::RecordPreview& shown = *preview_;
    const record::Summary& summary = shown.summary;

    board_->setVisible(summary.position.has_value());
    reason_->setVisible(!summary.position);
    if (summary.position) board_->SetPosition(*summary.position);
    reason_->setText(quill::ToQt(summary.problem));

    QStringList header;
    if (!summary.title.empty())
        header << Text(modConst::kPreviewTitle) + quill::ToQt(summary.title);
    if (!summary.author.empty()) {
        header << Text(modConst::kPreviewAuthor) + quill::ToQt(summary.author);
    }
    if (summary.moves > 0) {
        header << Text(modConst::kPreviewMovesPrefix) + QString::number(summary.moves) +
                      Text(modConst::kPreviewMovesSuffix);
    }
    header_->setText(header.join(u'\n'));
    header_->setVisible(!header.isEmpty());
    history_->setText(shown.history);
    history_->setVisible(!shown.history.isEmpty());

    FillPage();
    notes_->setText(shown.notes.join(u'\n'));
    notes_->setVisible(!shown.notes.isEmpty());

    window_ = window;
    top_ = top;
    Reposition();
    show();
    raise();
}

void PreviewPopup::ShowPage() {
    FillPage();
    Reposition();
}

void PreviewPopup::FillPage() {
    const std::optional<quill::PageImage>& page = preview_->page;
    // A page being read keeps its place, so that the popup seldom grows when it comes.
    page_->setMinimumSize(page ? QSize(0, 0) : PageBox());
    if (page && !page->image.isNull()) {
        QPixmap pixels = QPixmap::fromImage(page->image);
        pixels.setDevicePixelRatio(devicePixelRatioF());
        page_->setPixmap(pixels);
    } else {
        page_->setText(page ? PageReason(page->problem) : QString());
    }
}

void PreviewPopup::Reposition() {
    adjustSize();
    move(Place(window_, top_));
}
