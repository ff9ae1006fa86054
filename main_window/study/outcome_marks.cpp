#include "main_window/study/outcome_marks.h"

#include <QListWidget>
#include <QPainter>

#include "gui/list_box.h"
#include "gui/text_conversion.h"
#include "support/study_log/history_line.h"

namespace quill {
namespace {

QString MarkOf(studyLog::Outcome outcome) {
    switch (outcome) {
        case studyLog::Outcome::kSolved:
            return QStringLiteral("○");
        case studyLog::Outcome::kFailed:
            return QStringLiteral("×");
        case studyLog::Outcome::kGaveUp:
            return QStringLiteral("△");
    }
    return {};
}

QColor ColourOf(studyLog::Outcome outcome) {
    switch (outcome) {
        case studyLog::Outcome::kSolved:
            return {0x1b, 0x7a, 0x32};
        case studyLog::Outcome::kFailed:
            return {0xc0, 0x20, 0x20};
        case studyLog::Outcome::kGaveUp:
            return {0x70, 0x70, 0x70};
    }
    return {};
}

}  // namespace

void ShowOutcome(QListWidgetItem& item, std::optional<studyLog::Outcome> outcome) {
    // Each role set tells the list's model and its views of a change, so a row is touched only
    // when its mark changes: a row never marked keeps no roles of its own at all.
    const QVariant shown = item.data(kOutcomeRole);
    if (!outcome) {
        if (!shown.isValid()) return;
        item.setData(kOutcomeRole, QVariant());
        item.setData(Qt::AccessibleTextRole, QVariant());
        return;
    }
    if (shown.isValid() && shown.toInt() == static_cast<int>(*outcome)) return;
    item.setData(kOutcomeRole, static_cast<int>(*outcome));
    item.setData(Qt::AccessibleTextRole,
                 item.text() + u' ' + ToQt(studyLog::OutcomeLabel(*outcome)));
}

void ShowOutcomes(QListWidget& list, const std::map<std::string, studyLog::Outcome>& outcomes) {
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem& item = *list.item(row);
        // A book without marks needs no record's name: only rows that show a mark change.
        if (outcomes.empty()) {
            ShowOutcome(item, std::nullopt);
            continue;
        }
        const auto found = outcomes.find(ListEntry(list, row));
        ShowOutcome(item, found != outcomes.end() ? std::optional<studyLog::Outcome>(found->second)
                                                  : std::nullopt);
    }
}

void OutcomeMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant outcome = index.data(kOutcomeRole);
    if (!outcome.isValid()) return;
    const auto shown = static_cast<studyLog::Outcome>(outcome.toInt());
    painter->save();
    painter->setPen((option.state & QStyle::State_Selected) != 0
                        ? option.palette.color(QPalette::HighlightedText)
                        : ColourOf(shown));
    painter->drawText(option.rect.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                      MarkOf(shown));
    painter->restore();
}

}  // namespace quill
