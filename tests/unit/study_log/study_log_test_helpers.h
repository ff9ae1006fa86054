#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "support/study_log/sqlite_database.h"
#include "support/study_log/study_log.h"
#include "unit/support/support_test_helpers.h"

namespace testing_support {

// 2026-12-08 14:15:02 plus `seconds`, in the system's time zone.
inline std::time_t At(int seconds = 0) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 8;
    local.tm_hour = 14;
    local.tm_min = 15;
    local.tm_sec = 2 + seconds;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

// The rows of a query of the log's file, read with a connection of the test's own: each row's
// columns joined by "|", NULL as "-".
inline std::vector<std::string> Rows(const std::string& path, const std::string& sql) {
    sqlite::Database database;
    EXPECT_TRUE(sqlite::Database::OpenFile(path, sqlite::Database::Open::kExisting, &database));
    sqlite::Statement query = database.Prepare(sql);
    std::vector<std::string> rows;
    while (query.Next()) {
        std::string row;
        for (int column = 0; column < query.Columns(); ++column) {
            const std::optional<std::int64_t> number = query.Integer(column);
            const std::string text = query.Text(column);
            if (column > 0) row += "|";
            row += (!number && text.empty()) ? "-" : text;
        }
        rows.push_back(row);
    }
    EXPECT_TRUE(query.result()) << query.result().message;
    return rows;
}

// A throwaway program folder, its study log (not made yet) and a clock standing at At().
class StudyLogTest : public ProgramFolderTest {
  protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        world.now = At();
    }
    std::string LogPath() const { return folder.Join("Quillmere-study.sqlite"); }
    std::string Message(std::string_view text, const std::string& path) const {
        return std::string(text) + "\r\n  " + path;
    }

    studyLog::StudyLog log{folder.Join("Quillmere-study.sqlite")};
};

}  // namespace testing_support
