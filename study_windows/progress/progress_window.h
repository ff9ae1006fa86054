#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/study_log/study_progress.h"

namespace quill {
class ChartWidget;
class CycleBars;
class SolvingTimesChart;
class StudyCalendar;
class StudySession;
}  // namespace quill
namespace progress {
class RecordMoves;
}
namespace studyLog {
struct Attempt;
}

class QCheckBox;
class QComboBox;
class QLabel;
class QStackedWidget;
class QTableWidget;
class QTreeWidget;

// "学習の推移": the study of one book, or of every book, as pictures beside the main window. The
// calendar of the last 53 weeks with the streaks line, the attempts of the day chosen in it, and
// for one book its cycles and its solving times; "表で見る" shows each chart's figures as a
// table. Its attempts are read afresh, on the log's thread, each time it is shown; a mark kept
// meanwhile is counted in without reading them again. It reaches the main window only through
// the callback it is given.
class ProgressWindow : public QWidget {
    Q_OBJECT

  public:
    // Selects a record of a book in the main window, as the user would.
    using SelectRecord = std::function<void(const std::string& book, const std::string& record)>;

    ProgressWindow(quill::StudySession& session, SelectRecord select);
    ~ProgressWindow() override;

    // Shows the progress of `book`, whose folder is `bookFolder` (first in the choice of books,
    // and chosen), read afresh; with no book, that of every book.
    void Show(const std::string& book, const std::string& bookFolder);
    // Whether the attempts asked for by the last Show have come.
    bool loaded() const { return !loading_; }

    QComboBox* books() const { return books_; }
    QLabel* streaks() const { return streaks_; }
    quill::StudyCalendar* calendar() const { return calendar_; }
    QTreeWidget* dayAttempts() const { return dayAttempts_; }
    quill::CycleBars* cycles() const { return cycles_; }
    quill::SolvingTimesChart* times() const { return times_; }
    QCheckBox* tablesToggle() const { return showTables_; }
    // The table that stands for a chart.
    QTableWidget* TableOf(const quill::ChartWidget* chart) const;

  signals:
    // The figures were shown again: after a reading, or a mark counted in.
    void FiguresShown();

  private:
    struct Chart {
        quill::ChartWidget* chart;
        QTableWidget* table;
        QStackedWidget* stack;
    };

    bool EveryBook() const;
    // Reads the attempts at `book` (every book's when it is empty) afresh, then shows them.
    void Read(const std::string& book);
    const std::vector<studyLog::KeptAttempt>& Shown() const;
    // Every figure again, from the attempts read.
    void ShowAll();
    void AttemptRecorded(const studyLog::Attempt& attempt);
    void ShowStreaks();
    void ShowCycles();
    void ShowTimes();
    // Asks for the numbers of moves of the records with a solved, timed attempt not yet read.
    void ReadMoves();
    void ShowDay(std::optional<int> day);
    void ShowTables();
    void ChooseRow(int row) const;

    quill::StudySession& session_;
    SelectRecord select_;
    std::string book_;
    std::string bookFolder_;
    std::vector<std::string> records_;             // the book's, in its order
    std::map<std::string, int> moves_;             // of the records read, by name
    std::vector<std::string> movesAsked_;          // being read
    std::vector<studyLog::KeptAttempt> attempts_;  // of the book read, or of every book
    std::string readFor_;                          // that book, or empty
    std::vector<studyLog::KeptAttempt> ofBook_;    // of the book chosen
    studyLog::StudiedDays studied_;
    std::optional<int> chosenDay_;
    std::vector<std::pair<std::string, std::string>> dayRows_;  // book and record of each row
    bool loading_ = false;
    int reading_ = 0;  // the readings asked for

    QComboBox* books_;
    QCheckBox* showTables_;
    QLabel* streaks_;
    quill::StudyCalendar* calendar_;
    QLabel* dayTitle_;
    QTreeWidget* dayAttempts_;
    quill::CycleBars* cycles_;
    quill::SolvingTimesChart* times_;
    QLabel* oneBookOnly_;
    QWidget* bookCharts_;
    std::vector<Chart> charts_;
    progress::RecordMoves* movesReader_;
};
