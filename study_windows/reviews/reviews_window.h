#pragma once

#include <QWidget>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/review_schedule/todays_reviews.h"

namespace quill {
class StudySession;
}
namespace reviews {
class ReviewsModel;
}

class QKeyEvent;
class QLabel;
class QModelIndex;
class QSpinBox;
class QTreeView;

// "今日の復習": the records of every book due for review today, from the study session's review
// schedule. One window for all books, made when first opened and kept (hidden when closed); each
// opening lists the book folders and replays the log afresh, and a mark made meanwhile takes its
// record off the list at once and is added to the schedule when kept, without reading the log.
class ReviewsWindow : public QWidget {
    Q_OBJECT

  public:
    // Selects a record of a book in the main window, as the user would.
    using SelectRecord = std::function<void(const std::string& book, const std::string& record)>;

    ReviewsWindow(quill::StudySession& session, std::string bookRoot, SelectRecord select);
    ~ReviewsWindow() override;

    // Shows the window, raised, read afresh.
    void Open();
    // What is shown again from the schedule the session holds, with the listing of the last
    // opening; the row selected stays where it was.
    void Refresh();

    QTreeView* table() const { return table_; }
    const reviews::ReviewsModel& model() const { return *model_; }
    QLabel* counts() const { return counts_; }
    QSpinBox* retention() const { return retention_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void SelectRow(const QModelIndex& row) const;

    quill::StudySession& session_;
    std::string bookRoot_;
    SelectRecord select_;
    std::vector<reviewSchedule::BookListing> books_;
    std::set<reviewSchedule::RecordKey> marking_;  // marked, not yet kept or withdrawn
    reviews::ReviewsModel* model_;
    QLabel* counts_;
    QTreeView* table_;
    QLabel* retentionLabel_;
    QSpinBox* retention_;
};

// "今日 N件（期限切れ N件）　明日 N件　予定なし N件　未挑戦 N件".
QString ReviewCountsText(const reviewSchedule::ScheduleCounts& counts);
