#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

namespace quill {
class StudySession;
}
namespace results {
class RecordsModel;
}
namespace studyLog {
struct Attempt;
}

class QCheckBox;
class QLabel;
class QPushButton;
class QModelIndex;
class QTreeView;
class QTreeWidget;

// The results of one book, in a window of its own beside the main window: each record of the
// book's folder with its attempts in the current cycle, the totals of that cycle, the totals of
// every cycle, and the buttons to start a new cycle and to write the attempts out as CSV.
// It shows what the study session remembers of the book and follows its notices; reading the
// results makes no file, only a new cycle or an attempt makes the log.
class ResultsWindow : public QWidget {
    Q_OBJECT

  public:
    // Selects a record of a book in the main window, as the user would.
    using SelectRecord = std::function<void(const std::string& book, const std::string& record)>;
    // Where the user chose to write the CSV, and whether the save dialog had the user confirm
    // replacing the file that is there.
    struct SaveChoice {
        std::string path;
        bool replaceConfirmed = false;
    };
    // Asks where to write, proposing a path; nothing when the user cancelled.
    using AskSavePath =
        std::function<std::optional<SaveChoice>(QWidget& parent, const QString& proposed)>;
    // Asks whether to start the cycle numbered `next`; true to start it.
    using AskNewCycle = std::function<bool(QWidget& parent, int next)>;

    // Shows the progress of a book (its name and folder).
    using ShowProgress = std::function<void(const std::string& book, const std::string& folder)>;

    ResultsWindow(quill::StudySession& session, std::string book, std::string bookFolder,
                  SelectRecord select);
    ~ResultsWindow() override;

    const std::string& book() const { return book_; }
    void SetBookFolder(std::string bookFolder) { bookFolder_ = std::move(bookFolder); }
    // Reads the book's folder again and shows its results; the selected record stays selected.
    void Refresh();
    // An attempt was kept: its record's row, the totals and the cycles show it.
    void AttemptRecorded(const studyLog::Attempt& attempt);
    // "新しい周回": asks first (no is the default), then starts the book's next cycle and shows it.
    void StartNewCycle();
    // "CSV出力": asks where, then writes the book's attempts (every book's, with "全ての書籍"), and
    // says in the status line which file it wrote.
    void ExportCsv();
    // What "学習の推移" opens; the button stays disabled without it.
    void SetShowProgress(ShowProgress show);
    // The save dialog and the question by default; tests give their own answers.
    void SetAskSavePath(AskSavePath ask) { askSavePath_ = std::move(ask); }
    void SetAskNewCycle(AskNewCycle ask) { askNewCycle_ = std::move(ask); }
    // The user's documents folder, the separator, the book's name and ".csv" (for every book,
    // "Quillmere-study.csv").
    QString ProposedPath() const;

    QTreeView* records() const { return records_; }
    const results::RecordsModel& recordsModel() const { return *model_; }
    QTreeWidget* cycles() const { return cycles_; }

  private:
    void SelectRow(const QModelIndex& row) const;
    // The totals line, the cycles and the new cycle's button, from what is remembered.
    void ShowTotals();

    quill::StudySession& session_;
    std::string book_;
    std::string bookFolder_;
    SelectRecord select_;
    AskSavePath askSavePath_;
    AskNewCycle askNewCycle_;
    results::RecordsModel* model_;
    QTreeView* records_;
    QLabel* totals_;
    QTreeWidget* cycles_;
    QPushButton* newCycle_;
    QCheckBox* allBooks_;
    QPushButton* exportCsv_;
    QPushButton* progress_;
    ShowProgress showProgress_;
    QLabel* status_;  // what the last "CSV出力" wrote
};
