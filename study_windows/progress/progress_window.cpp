#include "study_windows/progress/progress_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <algorithm>
#include <set>

#include "gui/cycle_bars.h"
#include "gui/solving_times_chart.h"
#include "gui/study/study_session.h"
#include "gui/study_calendar.h"
#include "gui/text_conversion.h"
#include "study_windows/progress/record_moves.h"
#include "study_windows/results/book_records.h"
#include "support/modConst.h"
#include "support/study_day.h"
#include "support/study_log/book_study.h"
#include "support/study_log/history_line.h"

namespace {

using quill::ToQt;
using studyLog::KeptAttempt;

bool SolvedInTime(const KeptAttempt& attempt) {
    return attempt.outcome == studyLog::Outcome::kSolved && attempt.seconds &&
           *attempt.seconds >= 0;
}

// A chart's figures as a table: the first row names the columns.
void FillTable(QTableWidget& table, const QList<QStringList>& rows) {
    table.clear();
    const qsizetype columns = rows.isEmpty() ? 0 : rows.front().size();
    table.setColumnCount(static_cast<int>(columns));
    table.setRowCount(static_cast<int>(std::max<qsizetype>(0, rows.size() - 1)));
    if (rows.isEmpty()) return;
    table.setHorizontalHeaderLabels(rows.front());
    for (qsizetype row = 1; row < rows.size(); ++row) {
        for (qsizetype column = 0; column < columns && column < rows[row].size(); ++column) {
            table.setItem(static_cast<int>(row - 1), static_cast<int>(column),
                          new QTableWidgetItem(rows[row][column]));
        }
    }
}

}  // namespace

ProgressWindow::ProgressWindow(quill::StudySession& session, SelectRecord select)
    : session_(session),
      select_(std::move(select)),
      books_(new QComboBox(this)),
      showTables_(new QCheckBox(ToQt(modConst::kProgressShowTables), this)),
      streaks_(new QLabel(this)),
      calendar_(new quill::StudyCalendar),
      dayTitle_(new QLabel(ToQt(modConst::kProgressChooseDay), this)),
      dayAttempts_(new QTreeWidget(this)),
      cycles_(new quill::CycleBars),
      times_(new quill::SolvingTimesChart),
      oneBookOnly_(new QLabel(ToQt(modConst::kProgressOneBookOnly), this)),
      bookCharts_(new QWidget(this)),
      movesReader_(new progress::RecordMoves(this)) {
    setWindowTitle(ToQt(modConst::kProgressTitle));
    setAttribute(Qt::WA_QuitOnClose, false);
    books_->setAccessibleName(ToQt(modConst::kProgressBook));
    showTables_->setAccessibleName(ToQt(modConst::kProgressShowTables));
    streaks_->setAccessibleName(ToQt(modConst::kProgressStreaksName));
    streaks_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dayAttempts_->setAccessibleName(ToQt(modConst::kProgressDayAttemptsName));
    dayAttempts_->setRootIsDecorated(false);
    dayAttempts_->setUniformRowHeights(true);
    dayAttempts_->setHeaderLabels({ToQt(modConst::kProgressBook), ToQt(modConst::kProgressRecord),
                                   ToQt(modConst::kProgressResult), ToQt(modConst::kProgressTime)});
    dayAttempts_->header()->setStretchLastSection(false);
    dayAttempts_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* bookLabel = new QLabel(ToQt(modConst::kProgressBook), this);
    bookLabel->setBuddy(books_);

    // Each chart, or its table in its place.
    const auto stacked = [this](quill::ChartWidget* chart) {
        auto* stack = new QStackedWidget(this);
        auto* table = new QTableWidget(stack);
        table->setAccessibleName(chart->accessibleName());
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->verticalHeader()->hide();
        stack->addWidget(chart);
        stack->addWidget(table);
        charts_.push_back({chart, table, stack});
        // The calendar keeps its height; the other charts share the room left.
        // (its table scrolls within that height).
        if (chart == calendar_) stack->setFixedHeight(calendar_->sizeHint().height());
        return stack;
    };

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(bookLabel);
    top->addWidget(books_, 1);
    top->addStretch();
    top->addWidget(showTables_);
    layout->addLayout(top);
    layout->addWidget(streaks_);
    layout->addWidget(stacked(calendar_));
    layout->addWidget(dayTitle_);
    layout->addWidget(dayAttempts_, 1);
    layout->addWidget(oneBookOnly_);
    auto* perBook = new QHBoxLayout(bookCharts_);
    perBook->setContentsMargins(0, 0, 0, 0);
    perBook->addWidget(stacked(cycles_), 2);
    perBook->addWidget(stacked(times_), 3);
    layout->addWidget(bookCharts_, 2);
    setTabOrder(books_, showTables_);
    setTabOrder(showTables_, calendar_);
    setTabOrder(calendar_, dayAttempts_);
    setTabOrder(dayAttempts_, cycles_);
    setTabOrder(cycles_, times_);
    // As large as the charts want, within the screen.
    QSize size(std::max(calendar_->sizeHint().width() + 24, 760), 720);
    if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableSize() * 0.92);
    resize(size);

    connect(books_, &QComboBox::currentIndexChanged, this, [this] {
        // Every book needs every book's attempts; one book's are among them.
        if (EveryBook() && !readFor_.empty()) {
            Read({});
        } else if (!loading_) {
            ShowAll();
        }
    });
    connect(showTables_, &QCheckBox::toggled, this, [this] { ShowTables(); });
    connect(calendar_, &quill::ChartWidget::itemChosen, this,
            [this](int item) { ShowDay(calendar_->DayOfItem(item)); });
    // Enter or a double click on an attempt selects its record in the main window.
    connect(dayAttempts_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& row) { ChooseRow(row.row()); });
    connect(&session_, &quill::StudySession::AttemptRecorded, this,
            [this](const studyLog::Attempt& attempt) {
                if (isVisible()) AttemptRecorded(attempt);
            });
    const auto cyclesOf = [this](const std::string& book) {
        if (isVisible() && !EveryBook() && book == book_) ShowCycles();
    };
    connect(&session_, &quill::StudySession::BookRead, this, cyclesOf);
    connect(&session_, &quill::StudySession::CycleStarted, this,
            [cyclesOf](const std::string& book, int) { cyclesOf(book); });
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

ProgressWindow::~ProgressWindow() = default;

QTableWidget* ProgressWindow::TableOf(const quill::ChartWidget* chart) const {
    for (const Chart& shown : charts_) {
        if (shown.chart == chart) return shown.table;
    }
    return nullptr;
}

void ProgressWindow::Show(const std::string& book, const std::string& bookFolder) {
    book_ = book;
    bookFolder_ = bookFolder;
    records_ = book.empty() ? std::vector<std::string>() : results::BookRecords(bookFolder);
    moves_.clear();
    movesAsked_.clear();
    movesReader_->Stop();
    chosenDay_.reset();
    {
        const QSignalBlocker quiet(books_);
        books_->clear();
        if (!book.empty()) books_->addItem(ToQt(book));
        books_->addItem(ToQt(modConst::kResultsAllBooks));
        books_->setCurrentIndex(0);
    }
    Read(book);
    show();
    raise();
    activateWindow();
}

void ProgressWindow::Read(const std::string& book) {
    loading_ = true;
    const int reading = ++reading_;
    session_.ReadAttempts(book, [this, book, reading](std::vector<KeptAttempt> attempts) {
        // Only the latest reading counts; the marks kept before it are in it.
        if (reading != reading_) return;
        attempts_ = std::move(attempts);
        readFor_ = book;
        loading_ = false;
        ShowAll();
    });
}

bool ProgressWindow::EveryBook() const { return book_.empty() || books_->currentIndex() > 0; }

const std::vector<KeptAttempt>& ProgressWindow::Shown() const {
    return EveryBook() ? attempts_ : ofBook_;
}

void ProgressWindow::ShowAll() {
    ofBook_.clear();
    if (!EveryBook()) {
        std::copy_if(attempts_.begin(), attempts_.end(), std::back_inserter(ofBook_),
                     [this](const KeptAttempt& attempt) { return attempt.book == book_; });
    }
    const int today = studyDay::Today();
    calendar_->SetDays(studyLog::CalendarOf(Shown(), today));
    studied_ = studyLog::StudiedDaysOf(Shown());
    ShowStreaks();
    ShowDay(chosenDay_);
    const bool oneBook = !EveryBook();
    oneBookOnly_->setVisible(!oneBook);
    bookCharts_->setVisible(oneBook);
    if (oneBook) {
        ShowCycles();
        ShowTimes();
        ReadMoves();
    }
    ShowTables();
    emit FiguresShown();
}

void ProgressWindow::AttemptRecorded(const studyLog::Attempt& attempt) {
    // The reading under way holds this mark already, or will be followed by it.
    if (loading_) return;
    const KeptAttempt kept{attempt.book, attempt.record, studyLog::LocalTimeText(attempt.marked),
                           attempt.outcome, attempt.Seconds()};
    if (readFor_.empty() || attempt.book == readFor_) attempts_.push_back(kept);
    const bool counted = EveryBook() || attempt.book == book_;
    if (!counted) return;
    if (!EveryBook()) ofBook_.push_back(kept);
    const int today = studyDay::Today();
    if (calendar_->days().today != today) {
        // A new study day began while the window was open: the calendar moves on.
        ShowAll();
        return;
    }
    studyLog::CalendarDays days = calendar_->days();
    studyLog::AddToCalendar(days, kept);
    const int current = calendar_->currentItem();
    calendar_->SetDays(std::move(days));
    if (current >= 0) calendar_->SetCurrentItem(current);
    studied_.Add(kept);
    ShowStreaks();
    const std::optional<int> day = studyDay::StudyDayOfLocalText(kept.marked);
    if (chosenDay_ && day == chosenDay_) ShowDay(chosenDay_);
    if (!EveryBook()) {
        ShowCycles();
        if (attempt.outcome == studyLog::Outcome::kSolved) {
            ShowTimes();
            const bool asked =
                std::find(movesAsked_.begin(), movesAsked_.end(), kept.record) != movesAsked_.end();
            if (SolvedInTime(kept) && moves_.count(kept.record) == 0 && !asked) ReadMoves();
        }
    }
    ShowTables();
    emit FiguresShown();
}

void ProgressWindow::ShowStreaks() {
    const QString line =
        ToQt(studyLog::StreakLine(studyLog::StreaksOf(studied_, calendar_->days().today)));
    streaks_->setText(line);
    streaks_->setAccessibleDescription(line);
}

void ProgressWindow::ShowCycles() {
    const studyLog::BookStudy* study = session_.Study(book_);
    cycles_->SetBars(study != nullptr ? studyLog::CycleBarsOf(study->cycles)
                                      : std::vector<studyLog::CycleBar>());
}

void ProgressWindow::ShowTimes() {
    std::vector<studyLog::BookRecord> records;
    records.reserve(records_.size());
    for (const std::string& name : records_) {
        const auto found = moves_.find(name);
        records.push_back({name, found != moves_.end() ? found->second : 0});
    }
    times_->SetTimes(studyLog::SolvingTimesOf(book_, records, ofBook_));
}

void ProgressWindow::ReadMoves() {
    // Only the records drawn need their headers: those with a solved, timed attempt.
    std::set<std::string> wanted;
    for (const KeptAttempt& attempt : ofBook_) {
        if (SolvedInTime(attempt) && moves_.count(attempt.record) == 0) {
            wanted.insert(attempt.record);
        }
    }
    std::vector<std::string> names;
    const std::set<std::string> asked(movesAsked_.begin(), movesAsked_.end());
    bool more = false;
    for (const std::string& name : records_) {
        if (wanted.count(name) == 0) continue;
        names.push_back(name);
        more = more || asked.count(name) == 0;
    }
    if (!more) return;
    movesAsked_ = names;
    movesReader_->Read(bookFolder_, std::move(names), [this](progress::RecordMoves::Moves moves) {
        movesAsked_.clear();
        moves_.merge(moves);
        if (EveryBook()) return;
        ShowTimes();
        ShowTables();
    });
}

void ProgressWindow::ShowDay(std::optional<int> day) {
    chosenDay_ = day;
    dayAttempts_->clear();
    dayRows_.clear();
    if (!day) {
        dayTitle_->setText(ToQt(modConst::kProgressChooseDay));
        return;
    }
    dayTitle_->setText(quill::StudyCalendar::DateText(*day) +
                       ToQt(modConst::kProgressDayAttemptsSuffix));
    const std::vector<KeptAttempt>& shown = Shown();
    QList<QTreeWidgetItem*> rows;
    for (const std::size_t at : studyLog::AttemptsOn(shown, *day)) {
        const KeptAttempt& attempt = shown[at];
        const QString time = attempt.seconds && *attempt.seconds >= 0
                                 ? quill::DurationLabel(*attempt.seconds)
                                 : ToQt(modConst::kResultsNone);
        rows.push_back(new QTreeWidgetItem({ToQt(attempt.book), ToQt(attempt.record),
                                            ToQt(studyLog::OutcomeLabel(attempt.outcome)), time}));
        dayRows_.emplace_back(attempt.book, attempt.record);
    }
    dayAttempts_->addTopLevelItems(rows);
    if (!rows.isEmpty()) dayAttempts_->setCurrentItem(rows.front());
}

void ProgressWindow::ShowTables() {
    const bool tables = showTables_->isChecked();
    for (const Chart& shown : charts_) {
        shown.stack->setCurrentIndex(tables ? 1 : 0);
        // Filled only when shown: a mark does not rebuild tables nobody sees.
        if (tables) FillTable(*shown.table, shown.chart->TableRows());
    }
}

void ProgressWindow::ChooseRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= dayRows_.size() || !select_) return;
    select_(dayRows_[static_cast<std::size_t>(row)].first,
            dayRows_[static_cast<std::size_t>(row)].second);
}
