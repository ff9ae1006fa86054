#include "study_windows/reviews/reviews_window.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QSpinBox>
#include <QTreeView>
#include <algorithm>

#include "gui/study/study_session.h"
#include "gui/text_conversion.h"
#include "study_windows/results/results_table.h"
#include "study_windows/reviews/book_listings.h"
#include "study_windows/reviews/reviews_model.h"
#include "support/modConst.h"
#include "support/study_day.h"

namespace {

using quill::ToQt;

}  // namespace

QString ReviewCountsText(const reviewSchedule::ScheduleCounts& counts) {
    const QString count = ToQt(modConst::kReviewsCountSuffix);
    const QString gap = ToQt(modConst::kReviewsGap);
    return ToQt(modConst::kReviewsToday) + QString::number(counts.dueNow) + count +
           ToQt(modConst::kReviewsOverdue) + QString::number(counts.overdue) + count +
           ToQt(modConst::kReviewsOverdueClose) + gap + ToQt(modConst::kReviewsTomorrow) +
           QString::number(counts.dueTomorrow) + count + gap + ToQt(modConst::kReviewsLater) +
           QString::number(counts.later) + count + gap + ToQt(modConst::kReviewsNeverTried) +
           QString::number(counts.neverTried) + count;
}

ReviewsWindow::ReviewsWindow(quill::StudySession& session, std::string bookRoot,
                             SelectRecord select)
    : session_(session),
      bookRoot_(std::move(bookRoot)),
      select_(std::move(select)),
      model_(new reviews::ReviewsModel(this)),
      counts_(new QLabel(this)),
      table_(new QTreeView(this)),
      retentionLabel_(new QLabel(ToQt(modConst::kReviewsRetention), this)),
      retention_(new QSpinBox(this)) {
    setWindowTitle(ToQt(modConst::kReviewsTitle));
    setAttribute(Qt::WA_QuitOnClose, false);
    table_->setModel(model_);
    results::SetUpTable(*table_);
    table_->header()->setStretchLastSection(false);
    table_->header()->setSectionResizeMode(reviews::kRecord, QHeaderView::Stretch);
    counts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    counts_->setAccessibleName(ToQt(modConst::kReviewsCountsName));
    table_->setAccessibleName(ToQt(modConst::kReviewsTableName));
    retention_->setRange(studyLog::kLeastRetentionPercent, studyLog::kGreatestRetentionPercent);
    retention_->setSuffix(ToQt(modConst::kReviewsPercent));
    retention_->setValue(session_.RetentionPercent());
    retention_->setAccessibleName(ToQt(modConst::kReviewsRetention));
    retentionLabel_->setBuddy(retention_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts_);
    layout->addWidget(table_, 1);
    auto* settings = new QHBoxLayout;
    settings->addStretch();
    settings->addWidget(retentionLabel_);
    settings->addWidget(retention_);
    layout->addLayout(settings);
    setTabOrder(table_, retention_);
    resize(720, 480);

    // Enter or a double click on a record selects it in the main window.
    connect(table_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& row) { SelectRow(row); });
    connect(retention_, &QSpinBox::valueChanged, this, [this](int percent) {
        session_.SetRetentionPercent(percent);
        if (isVisible()) Refresh();
    });
    connect(&session_, &quill::StudySession::ScheduleRead, this, [this] {
        const QSignalBlocker quiet(retention_);
        retention_->setValue(session_.RetentionPercent());
        if (isVisible()) Refresh();
    });
    // A mark leaves today's list at once; it is scheduled again once kept.
    connect(&session_, &quill::StudySession::AttemptMarked, this,
            [this](const studyLog::Attempt& attempt) {
                marking_.insert({attempt.book, attempt.record});
                if (isVisible()) Refresh();
            });
    const auto settled = [this](const studyLog::Attempt& attempt) {
        marking_.erase({attempt.book, attempt.record});
        if (isVisible()) Refresh();
    };
    connect(&session_, &quill::StudySession::AttemptRecorded, this, settled);
    connect(&session_, &quill::StudySession::AttemptWithdrawn, this, settled);
}

void ReviewsWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes the window, as it does a dialog, from any of its controls.
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

ReviewsWindow::~ReviewsWindow() = default;

void ReviewsWindow::Open() {
    // The log is replayed on its thread while the book folders are listed here; the window is
    // filled when the schedule has been read (ScheduleRead), and meanwhile shows what it showed.
    session_.ReadSchedule();
    books_ = reviews::ListBooks(bookRoot_);
    show();
    raise();
    activateWindow();
    table_->setFocus();
}

void ReviewsWindow::Refresh() {
    const reviewSchedule::ReviewSchedule none;
    const reviewSchedule::ReviewSchedule* schedule = session_.Schedule();
    reviewSchedule::TodaysReviews today = reviewSchedule::ReviewsOn(
        schedule != nullptr ? *schedule : none, studyDay::Today(), books_, marking_);
    const int row = std::max(table_->currentIndex().row(), 0);
    model_->Reset(std::move(today.due));
    if (model_->rowCount() > 0) {
        table_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), 0));
    }
    const QString counts = ReviewCountsText(today.counts);
    counts_->setText(counts);
    counts_->setAccessibleDescription(counts);
}

void ReviewsWindow::SelectRow(const QModelIndex& row) const {
    const reviewSchedule::DueReview* review = model_->ReviewAt(row.row());
    if (review != nullptr && select_) select_(review->book, review->record);
}
