// The study log in the main window: the problem list's menu and its shortcuts, the marks of its
// rows and the history line of the preview.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <vector>

#include "gui/list_box.h"
#include "gui/text_conversion.h"
#include "main_window/frmMain.h"
#include "main_window/results/results_windows.h"
#include "main_window/study/attempt_timer.h"
#include "main_window/study/outcome_marks.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/study_log/book_review.h"
#include "support/study_log/history_line.h"
#include "support/study_log/study_log.h"
#include "ui_frmMain.h"

using quill::ToQt;
using studyLog::Outcome;

namespace {

// An action of the record menu, whose shortcut works wherever the focus is in the window.
QAction* NewAction(QWidget& window, std::string_view text, const QKeySequence& shortcut,
                   const char* name) {
    auto* action = new QAction(ToQt(text), &window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

}  // namespace

void frmMain::SetUpStudy() {
    studyLog_ = std::make_unique<studyLog::StudyLog>();
    timer_ = std::make_unique<quill::AttemptTimer>();
    ui->lstFile->setItemDelegate(new quill::OutcomeMarkDelegate(ui->lstFile));

    recordMenu_ = new QMenu(this);
    recordMenu_->setObjectName(QStringLiteral("recordMenu"));
    const struct {
        Outcome outcome;
        std::string_view text;
        QKeySequence shortcut;
        const char* name;
    } marks[] = {
        {Outcome::kSolved, modConst::kOutcomeSolved, QKeySequence(Qt::CTRL | Qt::Key_1),
         "markSolved"},
        {Outcome::kFailed, modConst::kOutcomeFailed, QKeySequence(Qt::CTRL | Qt::Key_2),
         "markFailed"},
        {Outcome::kGaveUp, modConst::kOutcomeGaveUp, QKeySequence(Qt::CTRL | Qt::Key_3),
         "markGaveUp"},
    };
    for (const auto& mark : marks) {
        QAction* action = NewAction(*this, mark.text, mark.shortcut, mark.name);
        const Outcome outcome = mark.outcome;
        connect(action, &QAction::triggered, this,
                [this, outcome] { Guarded([this, outcome] { MarkAttempt(outcome); }); });
        recordMenu_->addAction(action);
    }
    recordMenu_->addSeparator();
    QAction* next =
        NewAction(*this, modConst::kMenuNextUnsolved, QKeySequence(Qt::Key_F3), "nextUnsolved");
    connect(next, &QAction::triggered, this, [this] { Guarded([this] { SelectNextUnsolved(); }); });
    recordMenu_->addAction(next);
    // How to mark, for whoever rests the pointer on the list beside its records (on a record
    // the preview says it instead, while the record is untried).
    ui->lstFile->setToolTip(ToQt(modConst::kHintMarking));

    results_ = std::make_unique<ResultsWindows>(
        *studyLog_, [this](const std::string& book, const std::string& record) {
            Guarded([this, book, record] { SelectRecord(book, record); });
        });
    bookMenu_ = new QMenu(this);
    bookMenu_->setObjectName(QStringLiteral("bookMenu"));
    QAction* results =
        NewAction(*this, modConst::kMenuResults, QKeySequence(Qt::CTRL | Qt::Key_R), "bookResults");
    connect(results, &QAction::triggered, this, [this] { Guarded([this] { ShowBookResults(); }); });
    bookMenu_->addAction(results);
    // The selected record's book, from the record's menu too.
    recordMenu_->addSeparator();
    recordMenu_->addAction(results);
    ui->lstFolder->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->lstFolder, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowBookMenu(at); });

    // A right click on a record; the menu key and Shift+F10 show the record's preview instead.
    ui->lstFile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->lstFile, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowRecordMenu(at); });
}

void frmMain::ShowRecordMenu(const QPoint& at) {
    // The press has selected the record under the pointer, as a click does.
    if (ui->lstFile->itemAt(at) == nullptr) return;
    recordMenu_->popup(ui->lstFile->viewport()->mapToGlobal(at));
}

void frmMain::ShowBookMenu(const QPoint& at) {
    if (ui->lstFolder->itemAt(at) == nullptr) return;
    bookMenu_->popup(ui->lstFolder->viewport()->mapToGlobal(at));
}

void frmMain::ShowBookResults() {
    const std::string book = quill::SelectedEntry(*ui->lstFolder);
    if (book.empty()) {
        modFunc::ShowMessage(modConst::kMsgNoBookSelected);
        return;
    }
    results_->Show(book, CurrentBookFolder());
}

void frmMain::SelectRecord(const std::string& book, const std::string& record) {
    for (int row = 0; row < ui->lstFolder->count(); ++row) {
        if (quill::ListEntry(*ui->lstFolder, row) != book) continue;
        if (ui->lstFolder->currentRow() != row) ui->lstFolder->setCurrentRow(row);
        break;
    }
    if (quill::SelectedEntry(*ui->lstFolder) != book) return;
    for (int row = 0; row < ui->lstFile->count(); ++row) {
        if (quill::ListEntry(*ui->lstFile, row) != record) continue;
        if (ui->lstFile->currentRow() != row) {
            ui->lstFile->setCurrentRow(row);
        } else {
            lstFile_Click();
        }
        break;
    }
    activateWindow();
    raise();
}

void frmMain::ShowOutcomes() {
    quill::ShowOutcomes(*ui->lstFile,
                        studyLog_->LastOutcomes(quill::SelectedEntry(*ui->lstFolder)));
}

std::string frmMain::HistoryOf(const std::string& record) {
    const studyLog::RecordHistory history =
        studyLog_->History(quill::SelectedEntry(*ui->lstFolder), record);
    if (history.attempts == 0) return std::string(modConst::kHintNeverTried);
    return studyLog::HistoryLine(history);
}

void frmMain::MarkAttempt(Outcome outcome) {
    const std::string record = CurrentProblemFile();
    if (record.empty()) {
        modFunc::ShowMessage(modConst::kMsgNoProblemSelected);
        return;
    }
    const std::string book = quill::SelectedEntry(*ui->lstFolder);
    const int row = ui->lstFile->currentRow();
    // A mark that could not be kept (the user has been told why) leaves the timing running.
    if (!studyLog_->Record(book, record, outcome, timer_->StartOf(book, record))) return;
    timer_->End(book, record);
    // The mark just kept is the record's last: only its row changes, unless the list changed
    // while a message about the log was shown.
    if (quill::ListEntry(*ui->lstFile, row) == record) {
        quill::ShowOutcome(*ui->lstFile->item(row), outcome);
    } else {
        ShowOutcomes();
    }
    results_->AttemptRecorded(book);
}

void frmMain::SelectNextUnsolved() {
    const int count = ui->lstFile->count();
    if (count == 0) return;
    std::vector<std::string> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) records.push_back(quill::ListEntry(*ui->lstFile, row));
    // With nothing selected the search starts at the first record.
    const int current = ui->lstFile->currentRow();
    const std::size_t from = static_cast<std::size_t>(current >= 0 ? current : count - 1);
    const std::optional<std::size_t> next = studyLog::NextUnsolved(
        records, from, studyLog_->LastOutcomes(quill::SelectedEntry(*ui->lstFolder)));
    if (!next) {
        modFunc::ShowMessage(modConst::kMsgAllSolved);
        return;
    }
    if (static_cast<int>(*next) != current) ui->lstFile->setCurrentRow(static_cast<int>(*next));
}
