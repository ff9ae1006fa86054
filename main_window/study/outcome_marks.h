#pragma once

#include <QStyledItemDelegate>
#include <map>
#include <optional>
#include <string>

#include "support/study_log/study_log.h"

class QListWidget;
class QListWidgetItem;

namespace quill {

// The role of a problem list entry that holds its record's last outcome (an int of
// studyLog::Outcome), absent for a record never marked.
inline constexpr int kOutcomeRole = Qt::UserRole + 1;

// Gives each entry of `list` the last outcome `outcomes` holds for its record: the mark drawn in
// its row and said in its accessible name ("p010.kif 解けた"). The entry's text stays the file
// name.
void ShowOutcomes(QListWidget& list, const std::map<std::string, studyLog::Outcome>& outcomes);
// Gives one entry its record's last outcome, or none. The first mark a list shows gives it an
// OutcomeMarkDelegate.
void ShowOutcome(QListWidgetItem& item, std::optional<studyLog::Outcome> outcome);

// Draws an entry as the list does, with its record's mark in a margin of its own at the right end
// of the row (a name too long for the rest is cut where the margin begins): ○ solved,
// × failed, △ given up, each in a colour of its own.
class OutcomeMarkDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace quill
