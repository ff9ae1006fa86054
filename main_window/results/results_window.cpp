#include "main_window/results/results_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTreeWidget>

#include "gui/text_conversion.h"
#include "main_window/results/book_records.h"
#include "main_window/results/results_table.h"
#include "support/modConst.h"
#include "support/study_log/book_review.h"
#include "support/study_log/study_log.h"

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

ResultsWindow::ResultsWindow(studyLog::StudyLog& log, std::string book, std::string bookFolder,
                             SelectRecord select)
    : log_(log),
      book_(std::move(book)),
      bookFolder_(std::move(bookFolder)),
      select_(std::move(select)),
      askSavePath_(AskWithDialog),
      askNewCycle_(AskWithQuestion),
      records_(new QTreeWidget(this)),
      totals_(new QLabel(this)),
      cycles_(new QTreeWidget(this)),
      newCycle_(new QPushButton(ToQt(modConst::kResultsNewCycle), this)),
      allBooks_(new QCheckBox(ToQt(modConst::kResultsAllBooks), this)),
      exportCsv_(new QPushButton(ToQt(modConst::kResultsExportCsv), this)),
      status_(new QLabel(this)) {
    setWindowTitle(ToQt(book_) + ToQt(modConst::kResultsTitleSuffix));
    setAttribute(Qt::WA_QuitOnClose, false);
    results::SetUpRecordsTable(*records_);
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
    buttons->addStretch();
    buttons->addWidget(allBooks_);
    buttons->addWidget(exportCsv_);
    layout->addLayout(buttons);
    layout->addWidget(status_);
    setTabOrder(records_, cycles_);
    setTabOrder(cycles_, newCycle_);
    setTabOrder(newCycle_, allBooks_);
    setTabOrder(allBooks_, exportCsv_);
    resize(640, 560);

    // Enter or a double click on a record selects it in the main window.
    connect(records_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* row) { SelectRow(row); });
    connect(newCycle_, &QPushButton::clicked, this, [this] { StartNewCycle(); });
    connect(exportCsv_, &QPushButton::clicked, this, [this] { ExportCsv(); });
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void ResultsWindow::Refresh() {
    const QTreeWidgetItem* current = records_->currentItem();
    const std::string selected = current != nullptr ? results::RecordOf(*current) : std::string();
    const std::vector<std::string> records = results::BookRecords(bookFolder_);
    const int cycle = log_.CurrentCycle(book_);
    const std::vector<studyLog::RecordResults> results = log_.CycleResults(book_, cycle);
    results::FillRecordsTable(*records_, records, results);
    for (int row = 0; row < records_->topLevelItemCount() && !selected.empty(); ++row) {
        if (results::RecordOf(*records_->topLevelItem(row)) == selected) {
            records_->setCurrentItem(records_->topLevelItem(row));
            break;
        }
    }
    if (records_->currentItem() == nullptr && records_->topLevelItemCount() > 0) {
        records_->setCurrentItem(records_->topLevelItem(0));
    }
    results::FillCyclesTable(*cycles_, log_.Cycles(book_), cycle);
    const QString totals = results::TotalsText(cycle, studyLog::TotalsOf(records, results));
    totals_->setText(totals);
    totals_->setAccessibleDescription(totals);
    // A cycle without attempts yet is already as new as a cycle can be.
    newCycle_->setEnabled(!results.empty());
}

void ResultsWindow::StartNewCycle() {
    if (!askNewCycle_(*this, log_.CurrentCycle(book_) + 1)) return;
    log_.StartNewCycle(book_);
    Refresh();
}

void ResultsWindow::ExportCsv() {
    const bool everyBook = allBooks_->isChecked();
    const std::optional<SaveChoice> choice = askSavePath_(*this, ProposedPath());
    if (!choice || choice->path.empty()) return;
    if (!log_.ExportCsv(choice->path, everyBook ? std::string() : book_,
                        choice->replaceConfirmed)) {
        status_->hide();
        return;
    }
    status_->setText(ToQt(modConst::kResultsCsvWritten) + ToQt(choice->path));
    status_->show();
}

QString ResultsWindow::ProposedPath() const {
    const QString name = allBooks_->isChecked() ? ToQt(modConst::kResultsAllBooksFile)
                                                : ToQt(book_) + QStringLiteral(".csv");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(QDir(documents).filePath(name));
}

void ResultsWindow::SelectRow(const QTreeWidgetItem* row) const {
    if (row != nullptr && select_) select_(book_, results::RecordOf(*row));
}
