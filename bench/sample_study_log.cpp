// Writes a study log of several weeks for the sample library, for the README's pictures: every
// attempt is recorded through the study log with the clock set to its time, so the log is one
// the program itself could have written.
//
//   build/bench/sample_study_log LOG BOOK_ROOT
//
// Over the 45 days up to today, most days have a few attempts at the records of the books below
// BOOK_ROOT (more at the first book, which is started again twice, so that it has three cycles),
// each timed, solved more often as the cycles go on; a few days are left out, so that the streak
// of today is shorter than the longest. The same every run, but for the dates.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "support/study_log/study_log.h"

namespace fs = std::filesystem;

namespace {

// The records of a book, in name order.
std::vector<std::string> RecordsOf(const fs::path& folder) {
    std::vector<std::string> records;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".kif" || extension == ".bod") {
            records.push_back(entry.path().filename().string());
        }
    }
    std::sort(records.begin(), records.end());
    return records;
}

// A small generator of its own, so that every run gives the same log.
unsigned Next(unsigned& state) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7fff;
}

// 19:00 local time of the study day `daysAgo` days before today's, and `minutes` after it; never
// after now (today's study day may have begun at 04:00 only a moment ago).
std::time_t EveningOf(int daysAgo, int minutes) {
    const std::time_t now = std::time(nullptr);
    // The study day begins at 04:00: before that, today's is the date before.
    const std::time_t dayStart = now - 4 * 3600;
    std::tm local{};
    localtime_r(&dayStart, &local);
    local.tm_mday -= daysAgo;
    local.tm_hour = 19;
    local.tm_min = minutes;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    const std::time_t evening = std::mktime(&local);
    if (daysAgo > 0 || evening < now) return evening;
    // Today's evening is yet to come: the marks are made in the hours before now instead.
    local.tm_hour = 4;
    local.tm_min = 1 + minutes / 4;
    const std::time_t morning = std::mktime(&local);
    return std::min(std::max(morning, now - 3 * 3600 + minutes * 60), now - 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sample_study_log LOG BOOK_ROOT\n");
        return 2;
    }
    std::vector<std::pair<std::string, std::vector<std::string>>> books;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[2])) {
        if (entry.is_directory()) {
            books.emplace_back(entry.path().filename().string(), RecordsOf(entry.path()));
        }
    }
    std::sort(books.begin(), books.end());
    if (books.empty()) return 1;
    studyLog::StudyLog log(argv[1]);
    log.KeepNotices();
    unsigned state = 7;
    constexpr int kDays = 45;
    const int skipped[] = {40, 33, 32, 26, 19, 11};  // days ago without a study
    for (int daysAgo = kDays - 1; daysAgo >= 0; --daysAgo) {
        if (std::find(std::begin(skipped), std::end(skipped), daysAgo) != std::end(skipped)) {
            continue;
        }
        // The first book starts its second and third cycles.
        const int cycle = daysAgo > 28 ? 1 : daysAgo > 12 ? 2 : 3;
        if (daysAgo == 28 || daysAgo == 12) {
            log.SetNow(EveningOf(daysAgo, 0));
            log.StartNewCycle(books.front().first);
        }
        const int attempts = 1 + static_cast<int>(Next(state) % 9);
        int minutes = 1;
        for (int i = 0; i < attempts; ++i) {
            // The first attempt of a day is at the first book.
            const auto& [book, records] = i > 0 && Next(state) % 4 == 0 && books.size() > 1
                                              ? books[1 + Next(state) % (books.size() - 1)]
                                              : books.front();
            if (records.empty()) continue;
            const std::string& record = records[Next(state) % records.size()];
            const int seconds = 30 + static_cast<int>(Next(state) % (420 / cycle));
            const unsigned roll = Next(state) % 10;
            const studyLog::Outcome outcome = roll < 4 + 2 * static_cast<unsigned>(cycle)
                                                  ? studyLog::Outcome::kSolved
                                              : roll < 9 ? studyLog::Outcome::kFailed
                                                         : studyLog::Outcome::kGaveUp;
            minutes += 1 + seconds / 60;
            const std::time_t marked = EveningOf(daysAgo, minutes);
            log.SetNow(marked);
            if (!log.Record(book, record, outcome, marked - seconds)) {
                for (const studyLog::Notice& notice : log.TakeNotices()) {
                    std::fprintf(stderr, "%s %s\n", notice.text.c_str(), notice.path.c_str());
                }
                return 1;
            }
        }
    }
    return 0;
}
