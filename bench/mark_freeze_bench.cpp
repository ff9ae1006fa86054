// How long the window stops answering around a mark, with every flush of the disk slowed to
// 300 ms, and while another connection holds the log's write lock for 3 s: the longest gap
// between the ticks of a 1 ms timer on the user-interface thread, over marks made through the
// study session, against the same marks committed on that thread as the window used to.
//
//   build/bench/bench_mark_freeze [folder]   (default: the system's temporary folder;
//                                            goal: the longest gap at most one frame, 16 ms)
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "gui/study/study_session.h"
#include "slow_sync_vfs.h"
#include "support/study_log/study_log.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMarks = 5;
constexpr double kFrame = 1000.0 / 60;

// The longest time between two ticks of the event loop while `act` runs from it, and then until
// `done` says so; in milliseconds.
template <typename Act, typename Done>
double LongestGap(Act act, Done done) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    qint64 longest = 0;
    bool acted = false;
    QTimer ticks;
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (acted && done()) QCoreApplication::exit(0);
    });
    ticks.start();
    QTimer::singleShot(5, &ticks, [&] {
        last = clock.nsecsElapsed();
        act();
        acted = true;
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    QCoreApplication::exec();
    return static_cast<double>(longest) / 1e6;
}

// Holds the log's write lock from another connection for `milliseconds`, on a thread of its own.
std::thread HoldLock(const std::string& path, int milliseconds, std::atomic<bool>& held) {
    return std::thread([path, milliseconds, &held] {
        sqlite3* other = nullptr;
        sqlite3_open(path.c_str(), &other);
        sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    });
}

struct Figures {
    double session = 0;  // longest gap, marks through the session
    double direct = 0;   // longest gap, marks committed on the user-interface thread
    double kept = 0;     // the time from the first mark until the last is kept
};

Figures Measure(const std::string& path, bool lockHeld) {
    Figures figures;
    {
        quill::StudySession session(path);
        int kept = 0;
        QObject::connect(&session, &quill::StudySession::AttemptRecorded, [&] { ++kept; });
        std::atomic<bool> held = false;
        std::thread holder;
        if (lockHeld) {
            holder = HoldLock(path, 3000, held);
            while (!held) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        QElapsedTimer clock;
        clock.start();
        figures.session = LongestGap(
            [&] {
                for (int mark = 0; mark < kMarks; ++mark) {
                    session.Mark("A", "p" + std::to_string(mark) + ".kif",
                                 studyLog::Outcome::kSolved);
                }
            },
            [&] { return kept == kMarks; });
        figures.kept = static_cast<double>(clock.elapsed());
        if (holder.joinable()) holder.join();
    }
    {
        studyLog::StudyLog log(path);
        std::atomic<bool> held = false;
        std::thread holder;
        if (lockHeld) {
            holder = HoldLock(path, 3000, held);
            while (!held) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        figures.direct = LongestGap(
            [&] {
                for (int mark = 0; mark < kMarks; ++mark) {
                    log.Record("A", "q" + std::to_string(mark) + ".kif",
                               studyLog::Outcome::kSolved);
                }
            },
            [] { return true; });
        if (holder.joinable()) holder.join();
    }
    return figures;
}

void Print(const char* name, const Figures& figures) {
    std::printf("%s\n", name);
    std::printf(
        "  through the study session: longest gap %7.2f ms, %.2f frames (goal: at most 1)\n",
        figures.session, figures.session / kFrame);
    std::printf("  committed on the window's thread: %7.2f ms, %.2f frames\n", figures.direct,
                figures.direct / kFrame);
    std::printf("  %d marks kept %.0f ms after the first was made\n", kMarks, figures.kept);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QWidget window;
    window.resize(231, 556);
    window.show();
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path root = base / ("quill-bench-marks-" + std::to_string(getpid()));
    fs::create_directories(root);
    const std::string path = (root / "Quillmere-study.sqlite").string();
    {
        studyLog::StudyLog log(path);
        log.Record("A", "p.kif", studyLog::Outcome::kFailed);  // the log made beforehand
    }
    Print("this machine's disk:", Measure(path, false));
    quill_bench::SlowFlushes(300);
    Print("every flush slowed to 300 ms:", Measure(path, false));
    quill_bench::SlowFlushes(0);
    Print("another connection holding the write lock for 3 s:", Measure(path, true));
    fs::remove_all(root);
    return 0;
}
