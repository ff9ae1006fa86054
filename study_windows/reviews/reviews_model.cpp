#include "study_windows/reviews/reviews_model.h"

#include <string_view>

#include "gui/text_conversion.h"
#include "support/modConst.h"
#include "support/study_day.h"
#include "support/study_log/history_line.h"

namespace reviews {

using quill::ToQt;

void ReviewsModel::Reset(std::vector<reviewSchedule::DueReview> due) {
    beginResetModel();
    due_ = std::move(due);
    endResetModel();
}

const reviewSchedule::DueReview* ReviewsModel::ReviewAt(int row) const {
    return row >= 0 && row < static_cast<int>(due_.size()) ? &due_[static_cast<std::size_t>(row)]
                                                           : nullptr;
}

int ReviewsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(due_.size());
}

int ReviewsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kReviewColumns;
}

QVariant ReviewsModel::data(const QModelIndex& index, int role) const {
    const reviewSchedule::DueReview* review = ReviewAt(index.row());
    if (review == nullptr) return {};
    const bool number =
        index.column() == kOverdueDays || index.column() == kAttempts || index.column() == kRecall;
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(number ? Qt::AlignRight | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    switch (index.column()) {
        case kBook:
            return ToQt(review->book);
        case kRecord:
            return ToQt(review->record);
        case kDue:
            return ToQt(studyDay::DateText(review->due));
        case kOverdueDays:
            return QString::number(review->overdueDays);
        case kLastOutcome:
            return ToQt(studyLog::OutcomeLabel(review->last));
        case kAttempts:
            return QString::number(review->attempts);
        case kRecall:
            return QString::number(review->recallPercent) + ToQt(modConst::kReviewsPercent);
        default:
            return {};
    }
}

QVariant ReviewsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static constexpr std::string_view kHeaders[kReviewColumns] = {
        modConst::kReviewsBook,        modConst::kReviewsRecord,      modConst::kReviewsDue,
        modConst::kReviewsOverdueDays, modConst::kReviewsLastOutcome, modConst::kReviewsAttempts,
        modConst::kReviewsRecall};
    return section >= 0 && section < kReviewColumns ? ToQt(kHeaders[section]) : QVariant();
}

}  // namespace reviews
