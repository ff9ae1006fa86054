// The study log in the main window: the problem list's menu and its shortcuts, the marks of its
// rows and the history line of the preview.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "gui/list_box.h"
#include "gui/study/study_session.h"
#include "gui/text_conversion.h"
#include "main_window/frmMain.h"
#include "main_window/study/outcome_marks.h"
#include "study_windows/progress/progress_window.h"
#include "study_windows/results/results_window_set.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/study_log/book_review.h"
#include "support/study_log/study_log.h"
#include "ui_frmMain.h"

using quill::ToQt;
using studyLog::Outcome;

namespace {

// The menu `menu` of the window's actions named, made at its first use: the window starts
// without it, and the actions' shortcuts work from the start. A null name stands for a separator.
QMenu& MenuOfActions(QWidget& window, QMenu*& menu, const char* name,
                     std::initializer_list<const char*> actions) {
    if (menu != nullptr) return *menu;
    menu = new QMenu(&window);
    menu->setObjectName(QString::fromLatin1(name));
    for (const char* action : actions) {
        if (action == nullptr) {
            menu->addSeparator();
            continue;
        }
        menu->addAction(
            window.findChild<QAction*>(QString::fromLatin1(action), Qt::FindDirectChildrenOnly));
    }
    return *menu;
}

}  // namespace

QAction* frmMain::NewAction(std::string_view text, const QKeySequence& shortcut, const char* name) {
    auto* action = new QAction(ToQt(text), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

void frmMain::SetUpStudy() {
    session_ = std::make_unique<quill::StudySession>();
    // The log is opened once the window has been shown: the start does not wait for it.
    session_->WaitForFirstPaint(*this);
    // The list's marks follow the session: drawn at once, withdrawn when not kept, and filled
    // in when the book's results have been read.
    connect(session_.get(), &quill::StudySession::AttemptMarked, this,
            [this](const studyLog::Attempt& attempt) {
                if (QListWidgetItem* row = RowOf(attempt.book, attempt.record)) {
                    quill::ShowOutcome(*row, attempt.outcome);
                }
            });
    connect(session_.get(), &quill::StudySession::AttemptWithdrawn, this,
            [this](const studyLog::Attempt& attempt) {
                if (QListWidgetItem* row = RowOf(attempt.book, attempt.record)) {
                    quill::ShowOutcome(*row, session_->LastOutcome(attempt.book, attempt.record));
                }
            });
    connect(session_.get(), &quill::StudySession::BookRead, this, [this](const std::string& book) {
        if (book == quill::SelectedEntry(*ui->lstFolder)) ShowOutcomes();
    });

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
        QAction* action = NewAction(mark.text, mark.shortcut, mark.name);
        const Outcome outcome = mark.outcome;
        connect(action, &QAction::triggered, this,
                [this, outcome] { Guarded([this, outcome] { MarkAttempt(outcome); }); });
    }
    QAction* next =
        NewAction(modConst::kMenuNextUnsolved, QKeySequence(Qt::Key_F3), "nextUnsolved");
    connect(next, &QAction::triggered, this, [this] { Guarded([this] { SelectNextUnsolved(); }); });
    // How to mark, for whoever rests the pointer on the list beside its records (on a record
    // the preview says it instead, while the record is untried).
    ui->lstFile->setToolTip(ToQt(modConst::kHintMarking));

    results_ = std::make_unique<ResultsWindowSet>(
        *session_, [this](const std::string& book, const std::string& record) {
            Guarded([this, book, record] { SelectRecord(book, record); });
        });
    QAction* results =
        NewAction(modConst::kMenuResults, QKeySequence(Qt::CTRL | Qt::Key_R), "bookResults");
    connect(results, &QAction::triggered, this, [this] { Guarded([this] { ShowBookResults(); }); });
    SetUpProgress();
    SetUpReviews();
    ui->lstFolder->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->lstFolder, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowBookMenu(at); });

    // A right click on a record; the menu key and Shift+F10 show the record's preview instead.
    ui->lstFile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->lstFile, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowRecordMenu(at); });
}

// "学習の推移": from the book list's menu (Ctrl+G) for the selected book, or for every book when
// none is selected, and from a results window for its book; one window, shown again and raised.
void frmMain::SetUpProgress() {
    const auto show = [this](const std::string& book, const std::string& folder) {
        if (!progress_) {
            progress_ = std::make_unique<ProgressWindow>(
                *session_, [this](const std::string& inBook, const std::string& record) {
                    Guarded([this, inBook, record] { SelectRecord(inBook, record); });
                });
        }
        progress_->Show(book, folder);
    };
    QAction* action =
        NewAction(modConst::kProgressTitle, QKeySequence(Qt::CTRL | Qt::Key_G), "bookProgress");
    connect(action, &QAction::triggered, this, [this, show] {
        Guarded([this, show] {
            const std::string book = quill::SelectedEntry(*ui->lstFolder);
            show(book, book.empty() ? std::string() : CurrentBookFolder());
        });
    });
    results_->SetShowProgress([this, show](const std::string& book, const std::string& folder) {
        Guarded([show, book, folder] { show(book, folder); });
    });
}

void frmMain::ShowRecordMenu(const QPoint& at) {
    // The press has selected the record under the pointer, as a click does.
    if (ui->lstFile->itemAt(at) == nullptr) return;
    MenuOfActions(*this, recordMenu_, "recordMenu",
                  {"markSolved", "markFailed", "markGaveUp", nullptr, "nextUnsolved", "nextReview",
                   nullptr, "todaysReviews", "bookResults"})
        .popup(ui->lstFile->viewport()->mapToGlobal(at));
}

void frmMain::ShowBookMenu(const QPoint& at) {
    if (ui->lstFolder->itemAt(at) == nullptr) return;
    MenuOfActions(*this, bookMenu_, "bookMenu", {"bookResults", "bookProgress", "todaysReviews"})
        .popup(ui->lstFolder->viewport()->mapToGlobal(at));
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
    quill::ShowOutcomes(*ui->lstFile, session_->LastOutcomes(quill::SelectedEntry(*ui->lstFolder)));
}

QListWidgetItem* frmMain::RowOf(const std::string& book, const std::string& record) const {
    if (book != quill::SelectedEntry(*ui->lstFolder)) return nullptr;
    // The selected row first: a mark is made on it.
    const int selected = ui->lstFile->currentRow();
    if (quill::ListEntry(*ui->lstFile, selected) == record) return ui->lstFile->item(selected);
    for (int row = 0; row < ui->lstFile->count(); ++row) {
        if (quill::ListEntry(*ui->lstFile, row) == record) return ui->lstFile->item(row);
    }
    return nullptr;
}

void frmMain::ShowOutcomesOfNewList() {
    // A book never marked, as most are, leaves its new rows as they are.
    const std::map<std::string, Outcome> outcomes =
        session_->LastOutcomes(quill::SelectedEntry(*ui->lstFolder));
    if (!outcomes.empty()) quill::ShowOutcomes(*ui->lstFile, outcomes);
}

void frmMain::MarkAttempt(Outcome outcome) {
    const std::string record = CurrentProblemFile();
    if (record.empty()) {
        modFunc::ShowMessage(modConst::kMsgNoProblemSelected);
        return;
    }
    // Shown at once in its row, and withdrawn if the log cannot keep it (the user is told why).
    session_->Mark(quill::SelectedEntry(*ui->lstFolder), record, outcome);
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
        records, from, session_->LastOutcomes(quill::SelectedEntry(*ui->lstFolder)));
    if (!next) {
        modFunc::ShowMessage(modConst::kMsgAllSolved);
        return;
    }
    if (static_cast<int>(*next) != current) ui->lstFile->setCurrentRow(static_cast<int>(*next));
}
