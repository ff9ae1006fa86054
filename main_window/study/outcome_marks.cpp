#include "main_window/study/outcome_marks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <algorithm>

#include "gui/list_box.h"
#include "gui/text_conversion.h"
#include "support/study_log/history_line.h"

namespace quill {
namespace {

// Between the mark and the name, and between the mark and the row's end, in pixels.
constexpr int kMarkPadding = 3;

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
    // The list draws marks from its first on: one that never shows a mark paints as it always
    // has, at no cost of the log's.
    if (QListWidget* list = item.listWidget();
        list != nullptr && dynamic_cast<OutcomeMarkDelegate*>(list->itemDelegate()) == nullptr) {
        list->setItemDelegate(new OutcomeMarkDelegate(list));
    }
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
    const QVariant outcome = index.data(kOutcomeRole);
    if (!outcome.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const auto shown = static_cast<studyLog::Outcome>(outcome.toInt());
    const QString mark = MarkOf(shown);
    // The mark has a margin of its own at the right end of the row; a name too long for what is
    // left is cut where the margin begins, as the list cuts one at its edge.
    const int margin = option.fontMetrics.horizontalAdvance(mark) + 2 * kMarkPadding;
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The row's end as far as the list shows it, when the list scrolls sideways.
    int right = option.rect.right();
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget)) {
        right = std::min(right, view->viewport()->rect().right());
    }
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int room = right - margin - text.left();
    item.text = item.fontMetrics.elidedText(item.text, item.textElideMode, std::max(room, 0));
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    painter->save();
    painter->setPen((option.state & QStyle::State_Selected) != 0
                        ? option.palette.color(QPalette::HighlightedText)
                        : ColourOf(shown));
    painter->drawText(
        QRect(right - margin + 1, option.rect.top(), margin - kMarkPadding, option.rect.height()),
        Qt::AlignRight | Qt::AlignVCenter, mark);
    painter->restore();
}

}  // namespace quill
