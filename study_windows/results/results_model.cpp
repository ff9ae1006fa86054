#include "study_windows/results/results_model.h"

#include <algorithm>

#include "gui/text_conversion.h"
#include "study_windows/results/results_table.h"
#include "support/modConst.h"
#include "support/study_log/history_line.h"

namespace results {

using quill::ToQt;

void RecordsModel::Reset(std::vector<std::string> records, const studyLog::BookStudy* study) {
    beginResetModel();
    records_ = std::move(records);
    placeOf_.clear();
    placeOf_.reserve(records_.size());
    rows_.clear();
    rows_.reserve(records_.size());
    for (std::size_t place = 0; place < records_.size(); ++place) {
        const std::string& record = records_[place];
        placeOf_.emplace(record, static_cast<int>(place));
        const studyLog::RecordResults* results =
            study != nullptr ? study->InCurrentCycle(record) : nullptr;
        rows_.push_back(
            {ToQt(record), results != nullptr ? results->history : studyLog::RecordHistory{}});
    }
    Sort();
    endResetModel();
}

void RecordsModel::Update(const std::string& record, const studyLog::RecordResults* results) {
    const auto found = placeOf_.find(record);
    if (found == placeOf_.end()) return;
    const int place = found->second;
    rows_[static_cast<std::size_t>(place)].history =
        results != nullptr ? results->history : studyLog::RecordHistory{};
    const int from = shownAt_[static_cast<std::size_t>(place)];
    // Its place in the sort among the other rows, which stay in order.
    std::vector<int> others = shown_;
    others.erase(others.begin() + from);
    const int to =
        static_cast<int>(std::partition_point(others.begin(), others.end(),
                                              [&](int other) { return Before(other, place); }) -
                         others.begin());
    if (to != from) {
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        others.insert(others.begin() + to, place);
        shown_ = std::move(others);
        for (int row = std::min(from, to); row <= std::max(from, to); ++row) {
            shownAt_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])] = row;
        }
        endMoveRows();
    }
    emit dataChanged(index(to, 0), index(to, kRecordColumns - 1));
}

std::string RecordsModel::RecordAt(int row) const {
    if (row < 0 || row >= static_cast<int>(shown_.size())) return {};
    return records_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])];
}

int RecordsModel::RowOf(const std::string& record) const {
    const auto found = placeOf_.find(record);
    return found != placeOf_.end() ? shownAt_[static_cast<std::size_t>(found->second)] : -1;
}

int RecordsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int RecordsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRecordColumns;
}

QVariant RecordsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        const bool number = column == kAttempts || column == kLastTime || column == kBestTime;
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const Row& row = rows_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    switch (column) {
        case kRecordName:
            return row.name;
        case kAttempts:
            return QString::number(row.history.attempts);
        case kLastOutcome:
            return row.history.last ? ToQt(studyLog::OutcomeLabel(*row.history.last))
                                    : ToQt(modConst::kResultsUntried);
        case kLastTime:
            return Duration(row.history.lastSeconds);
        case kBestTime:
            return Duration(row.history.bestSeconds);
        default:
            return {};
    }
}

QVariant RecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case kRecordName:
            return ToQt(modConst::kResultsRecord);
        case kAttempts:
            return ToQt(modConst::kResultsAttempts);
        case kLastOutcome:
            return ToQt(modConst::kResultsLastOutcome);
        case kLastTime:
            return ToQt(modConst::kResultsLastTime);
        case kBestTime:
            return ToQt(modConst::kResultsBestTime);
        default:
            return {};
    }
}

void RecordsModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kRecordColumns) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> places;
    places.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        places.push_back(shown_[static_cast<std::size_t>(index.row())]);
    sortColumn_ = column;
    sortOrder_ = order;
    Sort();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        after.push_back(
            index(shownAt_[static_cast<std::size_t>(places[static_cast<std::size_t>(i)])],
                  before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::optional<qlonglong> RecordsModel::Key(int place) const {
    const studyLog::RecordHistory& history = rows_[static_cast<std::size_t>(place)].history;
    switch (sortColumn_) {
        case kAttempts:
            return history.attempts;
        case kLastOutcome:
            if (!history.last) return std::nullopt;
            return static_cast<qlonglong>(*history.last);
        case kLastTime:
            return history.lastSeconds;
        case kBestTime:
            return history.bestSeconds;
        default:
            return place;
    }
}

bool RecordsModel::Before(int a, int b) const {
    const std::optional<qlonglong> mine = Key(a);
    const std::optional<qlonglong> theirs = Key(b);
    if (mine.has_value() != theirs.has_value()) return mine.has_value();
    if (mine && *mine != *theirs) {
        return sortOrder_ == Qt::AscendingOrder ? *mine < *theirs : *mine > *theirs;
    }
    return a < b;
}

void RecordsModel::Sort() {
    shown_.resize(rows_.size());
    for (std::size_t place = 0; place < shown_.size(); ++place)
        shown_[place] = static_cast<int>(place);
    std::stable_sort(shown_.begin(), shown_.end(), [this](int a, int b) { return Before(a, b); });
    shownAt_.resize(shown_.size());
    for (std::size_t row = 0; row < shown_.size(); ++row) {
        shownAt_[static_cast<std::size_t>(shown_[row])] = static_cast<int>(row);
    }
}

}  // namespace results
