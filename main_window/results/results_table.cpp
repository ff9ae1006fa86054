#include "main_window/results/results_table.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <cmath>
#include <unordered_map>

#include "gui/text_conversion.h"
#include "support/modConst.h"
#include "support/study_log/history_line.h"

namespace results {
namespace {

using quill::ToQt;

// Under this role each cell keeps the value it sorts by, a number; a cell with nothing to sort
// by keeps none. Column 0 keeps the record's place in the problem list, and its bytes.
constexpr int kSortKeyRole = Qt::UserRole + 1;
constexpr int kRecordBytesRole = Qt::UserRole + 2;

// A row that sorts by the keys of its cells: cells without a key after those with one, in either
// direction, and rows of equal keys in the problem list's order.
class ResultRow : public QTreeWidgetItem {
  public:
    ResultRow() : QTreeWidgetItem(QTreeWidgetItem::UserType) {}

    bool operator<(const QTreeWidgetItem& other) const override {
        const QTreeWidget* table = treeWidget();
        const int column = table != nullptr ? table->sortColumn() : kRecordName;
        // A descending sort asks whether the other row comes before this one.
        const bool ascending =
            table == nullptr || table->header()->sortIndicatorOrder() == Qt::AscendingOrder;
        const QVariant mine = data(column, kSortKeyRole);
        const QVariant theirs = other.data(column, kSortKeyRole);
        if (mine.isValid() != theirs.isValid()) return ascending == mine.isValid();
        if (mine.isValid() && mine.toLongLong() != theirs.toLongLong()) {
            return mine.toLongLong() < theirs.toLongLong();
        }
        const qlonglong place = data(kRecordName, kSortKeyRole).toLongLong();
        const qlonglong otherPlace = other.data(kRecordName, kSortKeyRole).toLongLong();
        return ascending ? place < otherPlace : place > otherPlace;
    }
};

QString Duration(const std::optional<std::int64_t>& seconds) {
    return seconds ? ToQt(studyLog::DurationText(*seconds)) : ToQt(modConst::kResultsNone);
}

void SetCell(QTreeWidgetItem& row, int column, const QString& text,
             const std::optional<qlonglong>& key, bool number) {
    row.setText(column, text);
    if (key) row.setData(column, kSortKeyRole, *key);
    if (number) row.setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

QTreeWidgetItem* RowOf(const std::string& record, std::size_t place,
                       const studyLog::RecordResults* results) {
    auto* row = new ResultRow;
    SetCell(*row, kRecordName, ToQt(record), static_cast<qlonglong>(place), false);
    row->setData(kRecordName, kRecordBytesRole, QByteArray::fromStdString(record));
    const studyLog::RecordHistory history =
        results != nullptr ? results->history : studyLog::RecordHistory{};
    SetCell(*row, kAttempts, QString::number(history.attempts), history.attempts, true);
    if (history.last) {
        SetCell(*row, kLastOutcome, ToQt(studyLog::OutcomeLabel(*history.last)),
                static_cast<qlonglong>(*history.last), false);
    } else {
        SetCell(*row, kLastOutcome, ToQt(modConst::kResultsUntried), std::nullopt, false);
    }
    SetCell(*row, kLastTime, Duration(history.lastSeconds), history.lastSeconds, true);
    SetCell(*row, kBestTime, Duration(history.bestSeconds), history.bestSeconds, true);
    return row;
}

void SetUpTable(QTreeWidget& table, const QStringList& columns) {
    table.setColumnCount(static_cast<int>(columns.size()));
    table.setHeaderLabels(columns);
    table.setRootIsDecorated(false);
    table.setUniformRowHeights(true);
    table.setAllColumnsShowFocus(true);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Columns fit the rows in view, not every one of a book's thousands at each filling.
    table.header()->setResizeContentsPrecision(0);
}

QString CycleName(int cycle) {
    return ToQt(modConst::kResultsCyclePrefix) + QString::number(cycle) +
           ToQt(modConst::kResultsCycleSuffix);
}

}  // namespace

void SetUpRecordsTable(QTreeWidget& table) {
    SetUpTable(table, {ToQt(modConst::kResultsRecord), ToQt(modConst::kResultsAttempts),
                       ToQt(modConst::kResultsLastOutcome), ToQt(modConst::kResultsLastTime),
                       ToQt(modConst::kResultsBestTime)});
    // The record names take the room that is left; the other columns are as wide as their texts.
    table.header()->setStretchLastSection(false);
    table.header()->setSectionResizeMode(kRecordName, QHeaderView::Stretch);
    table.setSortingEnabled(true);
    table.sortByColumn(kRecordName, Qt::AscendingOrder);
}

void FillRecordsTable(QTreeWidget& table, const std::vector<std::string>& records,
                      const std::vector<studyLog::RecordResults>& results) {
    std::unordered_map<std::string, const studyLog::RecordResults*> byRecord;
    for (const studyLog::RecordResults& result : results) byRecord.emplace(result.record, &result);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(records.size()));
    for (std::size_t place = 0; place < records.size(); ++place) {
        const auto found = byRecord.find(records[place]);
        rows.push_back(
            RowOf(records[place], place, found != byRecord.end() ? found->second : nullptr));
    }
    // Sorted once, after all the rows are in, in the order the user chose last.
    table.setSortingEnabled(false);
    table.clear();
    table.addTopLevelItems(rows);
    table.setSortingEnabled(true);
}

std::string RecordOf(const QTreeWidgetItem& row) {
    return row.data(kRecordName, kRecordBytesRole).toByteArray().toStdString();
}

void SetUpCyclesTable(QTreeWidget& table) {
    SetUpTable(table, {ToQt(modConst::kResultsCycle), ToQt(modConst::kResultsCycleStarted),
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
