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
    if (!outcome) {
        item.setData(kOutcomeRole, QVariant());
        item.setData(Qt::AccessibleTextRole, QVariant());
        return;
    }
    item.setData(kOutcomeRole, static_cast<int>(*outcome));
    item.setData(Qt::AccessibleTextRole,
                 item.text() + u' ' + ToQt(studyLog::OutcomeLabel(*outcome)));
}

void ShowOutcomes(QListWidget& list, const std::map<std::string, studyLog::Outcome>& outcomes) {
    for (int row = 0; row < list.count(); ++row) {
        const auto found = outcomes.find(ListEntry(list, row));
        ShowOutcome(*list.item(row), found != outcomes.end()
                                         ? std::optional<studyLog::Outcome>(found->second)
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
