#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "support/study_log/book_study.h"

// The table of a book's records in its results window: one row per record of the book's folder
// with its attempts in the current cycle.
namespace results {

// The columns of the table of records.
enum RecordColumn { kRecordName, kAttempts, kLastOutcome, kLastTime, kBestTime, kRecordColumns };

// Sorted by the column the user chose: the records in the problem list's order, counts and times
// as numbers, and records with no value in that column last in either direction; records of equal
// values in the problem list's order. The sort is kept over a refresh and a mark.
class RecordsModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Every row afresh: `records` in the problem list's order, with what `study` holds of them in
    // its current cycle (nothing: no results are known yet).
    void Reset(std::vector<std::string> records, const studyLog::BookStudy* study);
    // The results of one record changed: its row alone is shown again, at its place in the sort.
    void Update(const std::string& record, const studyLog::RecordResults* results);

    // The record of a shown row, with its own bytes; empty outside the table.
    std::string RecordAt(int row) const;
    // The shown row of a record, or -1.
    int RowOf(const std::string& record) const;
    // The records in the problem list's order.
    const std::vector<std::string>& records() const { return records_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    // What one record's row shows, by its place in the problem list.
    struct Row {
        QString name;
        studyLog::RecordHistory history;
    };
    // The value row `place` sorts by in the sort's column.
    std::optional<qlonglong> Key(int place) const;
    // True when the record at `a` is shown before the one at `b`.
    bool Before(int a, int b) const;
    void Sort();

    std::vector<std::string> records_;
    std::unordered_map<std::string, int> placeOf_;
    std::vector<Row> rows_;     // by place
    std::vector<int> shown_;    // the place of each shown row
    std::vector<int> shownAt_;  // the shown row of each place
    int sortColumn_ = kRecordName;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace results
