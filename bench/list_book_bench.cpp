// Lists a book of many records through the main window's book selection, and compares the time
// with a plain read of the same folder.
//
//   build/bench/bench_list_book [records]        (default 20000; goal: ratio under 5)
//
// The two are timed in turns, many times, and the best time of each is kept: the least
// disturbed by the rest of the machine.

#include <dirent.h>

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "gui/application.h"
#include "main_window/frmMain.h"
#include "plain_read.h"
#include "support/modFunc.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Times `first` and `second` in turns, `runs` times each; gives the best time of each.
template <typename First, typename Second>
std::pair<double, double> BestInTurns(int runs, First&& first, Second&& second) {
    double bestFirst = 1e9;
    double bestSecond = 1e9;
    for (int i = 0; i < runs; ++i) {
        Clock::time_point start = Clock::now();
        first();
        bestFirst = std::min(bestFirst, Seconds(Clock::now() - start));
        start = Clock::now();
        second();
        bestSecond = std::min(bestSecond, Seconds(Clock::now() - start));
    }
    return {bestFirst, bestSecond};
}

}  // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::atoi(argv[1]) : 20000;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    quill::SetUpApplication(app);

    const fs::path root = fs::temp_directory_path() / ("quill-bench-" + std::to_string(getpid()));
    const fs::path book = root / "book" / "A";
    fs::create_directories(root / "prog");
    fs::create_directories(book);
    for (int i = 0; i < records; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%s%05d.%s", i % 3 == 0 ? "P" : "p", records - i,
                      i % 5 == 0 ? "bod" : "kif");
        std::ofstream(book / name) << "x";
    }
    modFunc::OverrideProgramFolder((root / "prog").string());

    frmMain window;
    const auto* problems = window.findChild<QListWidget*>("lstFile");
    std::size_t seen = 0;
    const auto [listing, plain] = BestInTurns(
        15, [&] { window.lstFolder_Click(); },
        [&] { seen = quill_bench::PlainRead(book.string()); });

    std::printf("records listed:          %d (folder entries %zu)\n", problems->count(), seen);
    std::printf("lstFolder_Click:         %.2f ms\n", listing * 1e3);
    std::printf("plain directory read:    %.2f ms\n", plain * 1e3);
    std::printf("ratio:                   %.1fx (goal: under 5x)\n", listing / plain);
    fs::remove_all(root);
    return 0;
}
