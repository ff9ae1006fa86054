// Today's reviews in the main window: "今日の復習" in the book list's menu and the record menu,
// and "次の復習", which selects the next record due, in its own book.
#include <QAction>
#include <QListWidget>
#include <QMenu>

#include "gui/list_box.h"
#include "gui/study/study_session.h"
#include "gui/text_conversion.h"
#include "main_window/frmMain.h"
#include "study_windows/reviews/book_listings.h"
#include "study_windows/reviews/reviews_window.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/review_schedule/todays_reviews.h"
#include "support/study_day.h"
#include "ui_frmMain.h"

void frmMain::SetUpReviews() {
    QAction* reviews =
        NewAction(modConst::kReviewsTitle, QKeySequence(Qt::CTRL | Qt::Key_T), "todaysReviews");
    connect(reviews, &QAction::triggered, this, [this] { Guarded([this] { ShowReviews(); }); });
    QAction* next = NewAction(modConst::kMenuNextReview, QKeySequence(Qt::Key_F4), "nextReview");
    connect(next, &QAction::triggered, this, [this] { Guarded([this] { SelectNextReview(); }); });
}

void frmMain::ShowReviews() {
    if (!reviews_) {
        reviews_ = std::make_unique<ReviewsWindow>(
            *session_, BookRoot(), [this](const std::string& book, const std::string& record) {
                Guarded([this, book, record] { SelectRecord(book, record); });
            });
    }
    reviews_->Open();
}

void frmMain::SelectNextReview() {
    const reviewSchedule::ReviewSchedule* schedule = session_->Schedule();
    if (schedule == nullptr) {
        // Read once, when first wanted; kept current by each mark from then on.
        session_->ReadSchedule([this] { Guarded([this] { SelectNextReview(); }); });
        return;
    }
    const reviewSchedule::TodaysReviews today =
        reviewSchedule::ReviewsOn(*schedule, studyDay::Today(), reviews::ListBooks(BookRoot()));
    const reviewSchedule::DueReview* next = reviewSchedule::NextReview(
        today, {quill::SelectedEntry(*ui->lstFolder), quill::SelectedEntry(*ui->lstFile)});
    if (next == nullptr) {
        std::string message(modConst::kMsgNoReviews);
        if (today.nextDue) {
            message += std::string(modConst::kMsgNextReviewPrefix) +
                       studyDay::DateText(*today.nextDue) +
                       std::string(modConst::kMsgNextReviewSuffix);
        }
        modFunc::ShowMessage(message);
        return;
    }
    SelectRecord(next->book, next->record);
}
