#pragma once

// What the tests of hostile names and files share: the window on a throwaway program folder,
// with files made by the system calls themselves. Names and file types that only POSIX allows.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLineEdit>

#include "gui/list_box.h"
#include "main_window_fixture.h"
#include "platform/process.h"

namespace fs = std::filesystem;

class HostileNamesTest : public MainWindowTest {
  protected:
    // Made with the system calls themselves, so the names reach the disk byte for byte.
    void MakeRawFolder(const std::string& path) const {
        ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path;
    }
    void WriteRawFile(const std::string& path, const std::string& content) const {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
        close(fd);
    }
    void MakeFifo(const std::string& path) const {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
    }
    static bool ExistsRaw(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0;
    }
    static bool IsFifo(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
    void SetScriptTools(const std::string& terapad) { SetTools(kRunner, terapad); }
    // The arguments that recorded command line `index` hands the script runner, split as the
    // started runner would split them.
    std::vector<std::string> ScriptArguments(std::size_t index) const {
        if (index >= world.commandLines.size()) {
            ADD_FAILURE() << "no command line " << index;
            return {};
        }
        const std::string& line = world.commandLines[index];
        EXPECT_EQ(line.rfind(kRunner + " ", 0), 0u) << line;
        return platform::SplitCommandLine(line.substr(kRunner.size() + 1));
    }
    void SelectProblem(const std::string& bytes) const {
        for (int row = 0; row < Problems()->count(); ++row) {
            if (quill::ListEntry(*Problems(), row) == bytes) {
                Problems()->setCurrentRow(row);
                return;
            }
        }
        ADD_FAILURE() << "not listed: " << bytes;
    }
    std::string SelectedProblemBytes() const { return quill::SelectedEntry(*Problems()); }

    const std::string kRunner = "/opt/uwsc/uwsc";
};

#endif  // _WIN32
