#include "study_windows/results/results_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "gui/study/study_session.h"
#include "gui/text_conversion.h"
#include "study_windows/results/book_records.h"
#include "study_windows/results/results_model.h"
#include "study_windows/results/results_table.h"
#include "support/modConst.h"
#include "support/study_log/book_review.h"

namespace {

using quill::FromQt;
using quill::ToQt;

// The save dialog, which itself has the user confirm replacing a file that is there: a chosen
// file that exists when it returns was confirmed.
std::optional<ResultsWindow::SaveChoice> AskWithDialog(QWidget& parent, const QString& proposed) {
    QFileDialog dialog(&parent, ToQt(modConst::kResultsExportCsv), proposed,
                       ToQt(modConst::kResultsCsvFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    return ResultsWindow::SaveChoice{FromQt(QDir::toNativeSeparators(chosen)),
                                     QFileInfo::exists(chosen)};
}

// "第3周を始めますか？" with 始める and やめる, the latter the default, as Space or Enter on the
// button would otherwise start a cycle that cannot be undone.
bool AskWithQuestion(QWidget& parent, int next) {
    QMessageBox question(QMessageBox::Question, ToQt(modConst::kResultsNewCycle),
                         ToQt(modConst::kResultsCyclePrefix) + QString::number(next) +
                             ToQt(modConst::kResultsCycleSuffix) +
                             ToQt(modConst::kResultsNewCycleAsk) + '\n' +
                             ToQt(modConst::kResultsNewCycleKept),
                         QMessageBox::NoButton, &parent);
    QPushButton* start =
        question.addButton(ToQt(modConst::kResultsNewCycleStart), QMessageBox::AcceptRole);
    QPushButton* cancel =
        question.addButton(ToQt(modConst::kResultsNewCycleCancel), QMessageBox::RejectRole);
    question.setDefaultButton(cancel);
    question.setEscapeButton(cancel);
    question.exec();
    return question.clickedButton() == start;
}

}  // namespace

ResultsWindow::ResultsWindow(quill::StudySession& session, std::string book, std::string bookFolder,
                             SelectRecord select)
    : session_(session),
      book_(std::move(book)),
      bookFolder_(std::move(bookFolder)),
      select_(std::move(select)),
      askSavePath_(AskWithDialog),
      askNewCycle_(AskWithQuestion),
      model_(new results::RecordsModel(this)),
      records_(new QTreeView(this)),
      totals_(new QLabel(this)),
      cycles_(new QTreeWidget(this)),
      newCycle_(new QPushButton(ToQt(modConst::kResultsNewCycle), this)),
      allBooks_(new QCheckBox(ToQt(modConst::kResultsAllBooks), this)),
      exportCsv_(new QPushButton(ToQt(modConst::kResultsExportCsv), this)),
      progress_(new QPushButton(ToQt(modConst::kProgressTitle), this)),
      status_(new QLabel(this)) {
    setWindowTitle(ToQt(book_) + ToQt(modConst::kResultsTitleSuffix));
    setAttribute(Qt::WA_QuitOnClose, false);
    records_->setModel(model_);
    results::SetUpTable(*records_);
    // The record names take the room that is left; the other columns are as wide as their texts.
    records_->header()->setStretchLastSection(false);
    records_->header()->setSectionResizeMode(results::kRecordName, QHeaderView::Stretch);
    records_->setSortingEnabled(true);
    records_->sortByColumn(results::kRecordName, Qt::AscendingOrder);
    results::SetUpCyclesTable(*cycles_);
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setObjectName(QStringLiteral("csvStatus"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setWordWrap(true);
    status_->hide();
    records_->setAccessibleName(ToQt(modConst::kResultsRecordsName));
    cycles_->setAccessibleName(ToQt(modConst::kResultsCyclesName));
    totals_->setAccessibleName(ToQt(modConst::kResultsTotalsName));
    newCycle_->setAccessibleName(ToQt(modConst::kResultsNewCycle));
    allBooks_->setAccessibleName(ToQt(modConst::kResultsAllBooks));
    exportCsv_->setAccessibleName(ToQt(modConst::kResultsExportCsv));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(records_, 3);
    layout->addWidget(totals_);
    layout->addWidget(cycles_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newCycle_);
    buttons->addWidget(progress_);
    buttons->addStretch();
    buttons->addWidget(allBooks_);
    buttons->addWidget(exportCsv_);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    setTabOrder(records_, cycles_);
    setTabOrder(cycles_, newCycle_);
    setTabOrder(newCycle_, progress_);
    setTabOrder(progress_, allBooks_);
    setTabOrder(allBooks_, exportCsv_);
    resize(640, 560);

    // Enter or a double click on a record selects it in the main window.
    connect(records_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& row) { SelectRow(row); });
    // What the session announces of this book.
    connect(&session_, &quill::StudySession::AttemptRecorded, this,
            [this](const studyLog::Attempt& attempt) {
                if (attempt.book == book_ && isVisible()) AttemptRecorded(attempt);
            });
    const auto refreshIfShown = [this](const std::string& book) {
        if (book == book_ && isVisible()) Refresh();
    };
    connect(&session_, &quill::StudySession::BookRead, this, refreshIfShown);
    connect(&session_, &quill::StudySession::CycleStarted, this,
            [refreshIfShown](const std::string& book, int) { refreshIfShown(book); });
    connect(newCycle_, &QPushButton::clicked, this, [this] { StartNewCycle(); });
    connect(exportCsv_, &QPushButton::clicked, this, [this] { ExportCsv(); });
    progress_->setAccessibleName(ToQt(modConst::kProgressTitle));
    progress_->setEnabled(false);
    connect(progress_, &QPushButton::clicked, this, [this] {
        if (showProgress_) showProgress_(book_, bookFolder_);
    });
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::SetShowProgress(ShowProgress show) {
    showProgress_ = std::move(show);
    progress_->setEnabled(static_cast<bool>(showProgress_));
}

void ResultsWindow::Refresh() {
    const std::string selected = model_->RecordAt(records_->currentIndex().row());
    model_->Reset(results::BookRecords(bookFolder_), session_.Study(book_));
    const int row = std::max(model_->RowOf(selected), 0);
    if (model_->rowCount() > 0) records_->setCurrentIndex(model_->index(row, 0));
    ShowTotals();
}

void ResultsWindow::AttemptRecorded(const studyLog::Attempt& attempt) {
    const studyLog::BookStudy* study = session_.Study(book_);
    if (study == nullptr) return;
    model_->Update(attempt.record, study->InCurrentCycle(attempt.record));
    ShowTotals();
}

void ResultsWindow::ShowTotals() {
    const studyLog::BookStudy* study = session_.Study(book_);
    const studyLog::BookStudy none;
    const studyLog::BookStudy& shown = study != nullptr ? *study : none;
    results::FillCyclesTable(*cycles_, shown.cycles, shown.cycle);
    const QString totals =
        results::TotalsText(shown.cycle, studyLog::TotalsOf(model_->records(), shown.currentCycle));
    totals_->setText(totals);
    totals_->setAccessibleDescription(totals);
    // A cycle without attempts yet is already as new as a cycle can be.
    newCycle_->setEnabled(!shown.currentCycle.empty());
}

void ResultsWindow::StartNewCycle() {
    const studyLog::BookStudy* study = session_.Study(book_);
    if (!askNewCycle_(*this, (study != nullptr ? study->cycle : 1) + 1)) return;
    // Shown when the session has started it (CycleStarted).
    session_.StartNewCycle(book_);
}

void ResultsWindow::ExportCsv() {
    const bool everyBook = allBooks_->isChecked();
    const std::optional<SaveChoice> choice = askSavePath_(*this, ProposedPath());
    if (!choice || choice->path.empty()) return;
    status_->hide();
    const QString path = ToQt(choice->path);
    QPointer<QLabel> status = status_;
    session_.ExportCsv(choice->path, everyBook ? std::string() : book_, choice->replaceConfirmed,
                       [status, path](bool written) {
                           if (!written || status.isNull()) return;
                           status->setText(ToQt(modConst::kResultsCsvWritten) + path);
                           status->show();
                       });
}

QString ResultsWindow::ProposedPath() const {
    const QString name = allBooks_->isChecked() ? ToQt(modConst::kResultsAllBooksFile)
                                                : ToQt(book_) + QStringLiteral(".csv");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(QDir(documents).filePath(name));
}

void ResultsWindow::SelectRow(const QModelIndex& row) const {
    if (row.isValid() && select_) select_(book_, model_->RecordAt(row.row()));
}
