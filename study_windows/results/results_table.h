#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "support/study_log/book_review.h"
#include "support/study_log/study_log.h"

class QTreeView;
class QTreeWidget;

// The table of cycles of the results window and the line of its totals, filled from what is
// remembered of a book's study.
namespace results {

// A time as the tables show it ("3分12秒"), or "―" for none.
QString Duration(const std::optional<std::int64_t>& seconds);

// A table of the window: one row selected at a time, no tree, columns as wide as the rows in view.
void SetUpTable(QTreeView& table);

// Gives the table of cycles its columns, and fills it: one row per cycle, the first first, the
// current one marked.
void SetUpCyclesTable(QTreeWidget& table);
void FillCyclesTable(QTreeWidget& table, const std::vector<studyLog::CycleTotals>& cycles,
                     int current);

// "第2周の合計", then "解けた 3　解けなかった 1　やめた 0　未挑戦 6", then
// "正解率 75 %（解けた 3／挑戦 4）　合計 12分3秒　1回あたりの平均 4分1秒", one line each: the
// rate of solved over tried records to the nearest per cent, the average per timed attempt.
QString TotalsText(int cycle, const studyLog::BookTotals& totals);

}  // namespace results
