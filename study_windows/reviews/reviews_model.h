#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "support/review_schedule/todays_reviews.h"

// The table of the review window: the records due on the day, most overdue first.
namespace reviews {

enum ReviewColumn {
    kBook,
    kRecord,
    kDue,
    kOverdueDays,
    kLastOutcome,
    kAttempts,
    kRecall,
    kReviewColumns
};

class ReviewsModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void Reset(std::vector<reviewSchedule::DueReview> due);
    // The review of a row; nothing outside the table.
    const reviewSchedule::DueReview* ReviewAt(int row) const;
    const std::vector<reviewSchedule::DueReview>& due() const { return due_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<reviewSchedule::DueReview> due_;
};

}  // namespace reviews
