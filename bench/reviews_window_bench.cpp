// "今日の復習" on a log of 100,000 attempts over 200 books: the window opened (the book folders
// listed, the log's attempts replayed on its thread, the counts and the table filled, shown), and
// the window shown again after a mark, against reading the attempts alone, in the same run.
//
//   build/bench/bench_reviews_window [folder]     (default: the system's temporary folder;
//                                                  goal: the window opened within 100 ms)
//
// The log and its spread of marks over 2026 are those of bench_review_schedule, the clock stands
// at 2027-01-01 12:00, and the book folders hold the records the log names (24,900 files). Runs
// offscreen unless QT_QPA_PLATFORM says otherwise. Timed in turns, 15 times each; the best time of
// each is kept.

#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/study/study_session.h"
#include "study_log_fill.h"
#include "study_windows/reviews/reviews_model.h"
#include "study_windows/reviews/reviews_window.h"
#include "support/outside_world.h"
#include "support/study_log/study_log.h"

namespace fs = std::filesystem;
using quill_bench::Clock;
using quill_bench::kRuns;
using quill_bench::Milliseconds;

namespace {

// The real world, with its clock at 2027-01-01 12:00 local time.
class NewYearWorld : public outside::RealWorld {
  public:
    std::time_t Now() override {
        std::tm local{};
        local.tm_year = 2027 - 1900;
        local.tm_mday = 1;
        local.tm_hour = 12;
        local.tm_isdst = -1;
        return std::mktime(&local);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    NewYearWorld world;
    outside::InstallWorld(&world);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = base / ("quill-bench-reviews-" + std::to_string(getpid()));
    const fs::path books = root / "book";
    quill_bench::MakeBook(books / "A", 5000);
    for (int book = 0; book < 199; ++book) {
        quill_bench::MakeBook(books / ("B" + std::to_string(book)), 100);
    }
    const std::string path = (root / "Quillmere-study.sqlite").string();
    if (!quill_bench::FillStudyLog(path) || !quill_bench::SpreadMarks(path)) return 1;

    studyLog::StudyLog log(path);
    quill::StudySession session(path);
    const auto select = [](const std::string&, const std::string&) {};
    double bestRead = 1e9;
    double bestOpen = 1e9;
    double bestUpdate = 1e9;
    std::size_t attempts = 0;
    int rows = 0;
    QString counts;
    for (int run = 0; run < kRuns; ++run) {
        // Reading alone: each attempt's texts copied out, as a reader that keeps them would.
        Clock::time_point start = Clock::now();
        attempts = quill_bench::ReadEveryAttempt(log);
        bestRead = std::min(bestRead, Milliseconds(Clock::now() - start));

        start = Clock::now();
        auto window = std::make_unique<ReviewsWindow>(session, books.string(), select);
        window->Open();
        session.Finish();  // the replay handed back, the window filled from it
        QApplication::processEvents();
        bestOpen = std::min(bestOpen, Milliseconds(Clock::now() - start));

        // A mark of the first record due: the row goes at once, the schedule follows when kept.
        const reviewSchedule::DueReview* first = window->model().ReviewAt(0);
        if (first == nullptr) break;
        const std::string book = first->book;
        const std::string record = first->record;
        session.Mark(book, record, studyLog::Outcome::kSolved);
        session.Finish();
        start = Clock::now();
        window->Refresh();
        bestUpdate = std::min(bestUpdate, Milliseconds(Clock::now() - start));
        rows = window->model().rowCount();
        counts = window->counts()->text();
    }

    std::printf("log:                        %zu attempts over 200 books\n", attempts);
    std::printf("on 2027-01-01:              %s; %d listed\n", counts.toStdString().c_str(), rows);
    std::printf("reading the attempts:       %.2f ms\n", bestRead);
    std::printf("window opened:              %.2f ms, ratio %.2fx (goal: within 100 ms)\n",
                bestOpen, bestOpen / bestRead);
    std::printf("shown again after a mark:   %.2f ms, ratio %.3fx\n", bestUpdate,
                bestUpdate / bestRead);
    outside::InstallWorld(nullptr);
    fs::remove_all(root);
    return 0;
}
