#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quill {
class StudySession;
class ToolPaths;
}  // namespace quill
namespace studyLog {
enum class Outcome;
}  // namespace studyLog

class QLabel;
class QLineEdit;
class QAction;
class QKeySequence;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class ProgressWindow;
class ResultsWindowSet;
class ReviewsWindow;

namespace Ui {
class frmMain;
}

// The main window: the books, their problem files, the page number, and the buttons that act on
// the current selection. It keeps no state of its own beyond the study session, which it connects
// to the list, the preview and the results windows: every handler reads the controls and builds
// the paths it needs afresh.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    // Creates the window and runs Form_Load: placed, titled, the books listed and the first one
    // selected. The window is not shown.
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Handlers, named after their controls; public so that tests can drive them directly too.
    void Form_Load();
    void lstFolder_Click();
    void lstFile_Click();
    void cmdOpenFolder_Click();
    void cmdNext_Click();
    void cmdInc_Click();
    // True when txtPageN holds three half-width digits; otherwise `message` says what is wrong.
    bool ValidatePageNumber(std::string& message) const;
    void cmdOpenBook_Click();
    void cmdUWSC_Click(int Index);
    void cmdRunKifuFWin_Click(int Index);
    void cmdEditUws_Click(int Index);
    void cmdOpenTemplateFile_Click();
    void cmdOpenIniWin_Click();

    // The problem list's menu (a right click on a record) and its shortcuts, on the selected
    // record: an attempt marked in the study log, timed from the latest "開始" of it since its
    // last mark; and the next record after it whose last attempt was not solved.
    void MarkAttempt(studyLog::Outcome outcome);
    void SelectNextUnsolved();
    // The book list's menu (a right click on a book) and its shortcut: the selected book's results.
    void ShowBookResults();
    // "今日の復習" (in both menus) and "次の復習" (the record menu): the window of every book's
    // reviews due today, and the next of them selected in its own book.
    void ShowReviews();
    void SelectNextReview();
    // The study of this run, which the list, the preview and the results windows follow.
    quill::StudySession& study() const { return *session_; }

  protected:
    // Form_Unload: closing the main window ends the program, once the marks made are written.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The three script buttons, by their index in cmdUWSC.
    enum ScriptButton { kCreateRecord = 0, kStartSolving = 1, kOpenCompanion = 2 };
    // How long "作成" waits for the save script before it lists the book again.
    static constexpr int kScriptPauseMilliseconds = 2000;

    void CreateRecord(const std::string& uwscPath);
    void StartSolving(const std::string& uwscPath);
    void OpenCompanion(const std::string& uwscPath);
    void PlayStartChime();
    // The outside programs' paths, as the settings window holds them.
    const quill::ToolPaths& Tools() const;

    std::string BookRoot() const;
    std::string CurrentBookFolder() const;
    std::string CurrentProblemFile() const;
    std::string ProgramFile(std::string_view name) const;
    // Hands a folder or file to the desktop's own handler; says so when none can be started.
    void OpenWithSystem(const std::string& path) const;
    // True when a script receives `path` as it is; otherwise says so, naming it.
    bool HandsOverWhole(const std::string& path) const;
    // Copies the template to a companion that is missing; false, after a message, when it was
    // not made.
    bool MakeCompanion(const std::string& companionPath) const;
    void SetDesignedFonts();
    void ConnectHandlers();
    // The record menu and its shortcuts, and the marks of the problem list.
    void SetUpStudy();
    // An action of the study menus, whose shortcut works wherever the focus is in the window.
    QAction* NewAction(std::string_view text, const QKeySequence& shortcut, const char* name);
    void SetUpProgress();
    void SetUpReviews();
    void ShowRecordMenu(const QPoint& at);
    void ShowBookMenu(const QPoint& at);
    // Selects record `record` of book `book` in the lists, as a click on each would.
    void SelectRecord(const std::string& book, const std::string& record);
    // Gives every row of the problem list its record's mark, or none.
    void ShowOutcomes();
    // The problem list's row of `record` when the list shows book `book`, else nothing.
    QListWidgetItem* RowOf(const std::string& book, const std::string& record) const;
    // The same for a list just filled, whose rows show no mark yet.
    void ShowOutcomesOfNewList();
    // Runs a handler so that an unexpected failure is reported instead of ending the program.
    void Guarded(const std::function<void()>& handler);

    Ui::frmMain* ui;
    std::array<QPushButton*, 3> cmdUWSC{};
    std::array<QPushButton*, 3> cmdEditUws{};
    std::array<QPushButton*, 2> cmdRunKifuFWin{};
    std::unique_ptr<quill::StudySession> session_;
    std::unique_ptr<ResultsWindowSet> results_;
    std::unique_ptr<ProgressWindow> progress_;  // "学習の推移", made when first shown
    std::unique_ptr<ReviewsWindow> reviews_;
    QMenu* recordMenu_ = nullptr;  // both made at their first use
    QMenu* bookMenu_ = nullptr;
};
