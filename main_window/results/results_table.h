#pragma once

#include <QString>
#include <string>
#include <vector>

#include "support/study_log/book_review.h"
#include "support/study_log/study_log.h"

class QTreeWidget;
class QTreeWidgetItem;

// The two tables of the results window and the line of its totals, filled from what the study
// log holds of a book.
namespace results {

// The columns of the table of records.
enum RecordColumn { kRecordName, kAttempts, kLastOutcome, kLastTime, kBestTime, kRecordColumns };

// Gives the table of records its columns; sorting by a column sorts by its value (the records
// in the problem list's order, counts and times as numbers), with records that have no value in
// that column last in either direction.
void SetUpRecordsTable(QTreeWidget& table);
// One row per record of the book's folder, in `records`' order, with what `results` (of one
// cycle) holds of it. The sort the user chose is kept.
void FillRecordsTable(QTreeWidget& table, const std::vector<std::string>& records,
                      const std::vector<studyLog::RecordResults>& results);
// The record a row is for, with its own bytes.
std::string RecordOf(const QTreeWidgetItem& row);

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
