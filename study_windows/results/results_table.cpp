#include "study_windows/results/results_table.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <cmath>

#include "gui/text_conversion.h"
#include "support/modConst.h"
#include "support/study_log/history_line.h"

namespace results {
using quill::ToQt;

QString Duration(const std::optional<std::int64_t>& seconds) {
    return seconds ? ToQt(studyLog::DurationText(*seconds)) : ToQt(modConst::kResultsNone);
}

void SetUpTable(QTreeView& table) {
    table.setRootIsDecorated(false);
    table.setUniformRowHeights(true);
    table.setAllColumnsShowFocus(true);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Columns fit the rows in view, not every one of a book's thousands at each filling.
    table.header()->setResizeContentsPrecision(0);
}

namespace {

void SetUpColumns(QTreeWidget& table, const QStringList& columns) {
    table.setColumnCount(static_cast<int>(columns.size()));
    table.setHeaderLabels(columns);
    SetUpTable(static_cast<QTreeView&>(table));
}

QString CycleName(int cycle) {
    return ToQt(modConst::kResultsCyclePrefix) + QString::number(cycle) +
           ToQt(modConst::kResultsCycleSuffix);
}

}  // namespace

void SetUpCyclesTable(QTreeWidget& table) {
    SetUpColumns(table, {ToQt(modConst::kResultsCycle), ToQt(modConst::kResultsCycleStarted),
                         ToQt(modConst::kOutcomeSolved), ToQt(modConst::kOutcomeFailed),
                         ToQt(modConst::kOutcomeGaveUp), ToQt(modConst::kResultsTotalTime)});
}

void FillCyclesTable(QTreeWidget& table, const std::vector<studyLog::CycleTotals>& cycles,
                     int current) {
    table.clear();
    QList<QTreeWidgetItem*> rows;
    for (const studyLog::CycleTotals& cycle : cycles) {
        auto* row = new QTreeWidgetItem;
        QString name = CycleName(cycle.cycle);
        if (cycle.cycle == current) name += ToQt(modConst::kResultsCurrent);
        // "2026-12-08T14:15:02" shown as "2026-12-08 14:15".
        const QString started = ToQt(cycle.started).left(16).replace(QLatin1Char('T'), ' ');
        const QStringList texts = {name,
                                   started,
                                   QString::number(cycle.solved),
                                   QString::number(cycle.failed),
                                   QString::number(cycle.gaveUp),
                                   Duration(cycle.seconds)};
        for (int column = 0; column < texts.size(); ++column) {
            row->setText(column, texts[column]);
            if (column >= 2) row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        }
        rows.push_back(row);
    }
    table.addTopLevelItems(rows);
}

QString TotalsText(int cycle, const studyLog::BookTotals& totals) {
    const QString gap = ToQt(modConst::kHistoryGap);
    const auto count = [](std::string_view label, int value) {
        return ToQt(label) + QLatin1Char(' ') + QString::number(value);
    };
    // "67 %（解けた 2／挑戦 3）", to the nearest per cent.
    const QString rate =
        totals.successPercent
            ? QString::number(std::lround(*totals.successPercent)) +
                  ToQt(modConst::kResultsPercent) + ToQt(modConst::kResultsRateSolved) +
                  QString::number(totals.solved) + ToQt(modConst::kResultsRateTried) +
                  QString::number(totals.records - totals.untried) +
                  ToQt(modConst::kResultsRateClose)
            : ToQt(modConst::kResultsNone);
    return CycleName(cycle) + ToQt(modConst::kResultsTotalsOf) + '\n' +
           count(modConst::kOutcomeSolved, totals.solved) + gap +
           count(modConst::kOutcomeFailed, totals.failed) + gap +
           count(modConst::kOutcomeGaveUp, totals.gaveUp) + gap +
           count(modConst::kResultsUntried, totals.untried) + '\n' +
           ToQt(modConst::kResultsSuccessRate) + rate + gap + ToQt(modConst::kResultsTotal) +
           Duration(totals.totalSeconds) + gap + ToQt(modConst::kResultsAverage) +
           Duration(totals.averageSeconds);
}

}  // namespace results
