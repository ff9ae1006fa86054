// Starting programs on POSIX: which file a command line names, what the started program
// receives, and that nothing of it is left behind.
#ifndef _WIN32

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/temp_folder.h"
#include "platform/process.h"

namespace {

using testing_support::TempFolder;
using namespace std::chrono_literals;

// A stand-in program: writes down, beside itself, what it received and how it was started, and
// moves the record into place in one step so a reader never sees half of it.
const char* const kRecorderScript = R"sh(#!/bin/sh
here=$(dirname "$0")
{
    echo "pid=$$"
    echo "session=$(sed 's/.*) //' /proc/$$/stat | cut -d' ' -f4)"
    echo "stdin=$(readlink /proc/$$/fd/0)"
    echo "fd57=$(readlink /proc/$$/fd/57)"
    for argument in "$@";
do printf '[%s]\n' "$argument";
done
} > "$here/record.tmp"
mv "$here/record.tmp" "$here/record.txt"
)sh";

std::string WriteProgram(const TempFolder& folder, const std::string& relative,
                         const std::string& content, mode_t mode = 0755) {
    const std::string path = folder.WriteFile(relative, content);
    EXPECT_EQ(chmod(path.c_str(), mode), 0);
    return path;
}

// The lines of a file once it appears, or nothing after the time is up.
std::optional<std::vector<std::string>> WaitForLines(const std::string& path) {
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < giveUp) {
        std::ifstream in(path);
        if (in) {
            std::vector<std::string> lines;
            for (std::string line; std::getline(in, line);) lines.push_back(line);
            return lines;
        }
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

bool ProcessExists(const std::string& pid) {
    struct stat info;
    return stat(("/proc/" + pid).c_str(), &info) == 0;
}

// Children of this process that have ended but were never waited for.
int ZombieChildren() {
    int zombies = 0;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return 0;
    while (const dirent* entry = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // After the command name in parentheses: state, then parent id.
        std::istringstream rest(line.substr(line.rfind(')') + 1));
        char state = 0;
        long parent = 0;
        if (rest >> state >> parent && parent == getpid() && state == 'Z') ++zombies;
    }
    closedir(proc);
    return zombies;
}

bool WaitUntilGone(const std::string& pid) {
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (ProcessExists(pid)) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines) {
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return {};
}

std::vector<std::string> ArgumentsOf(const std::vector<std::string>& lines) {
    std::vector<std::string> arguments;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '[') arguments.push_back(line);
    }
    return arguments;
}

class ScopedPathVariable {
  public:
    explicit ScopedPathVariable(const std::string& value) {
        const char* old = std::getenv("PATH");
        if (old != nullptr) old_ = old;
        setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPathVariable() {
        if (old_) {
            setenv("PATH", old_->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }
    ScopedPathVariable(const ScopedPathVariable&) = delete;
    ScopedPathVariable& operator=(const ScopedPathVariable&) = delete;

  private:
    std::optional<std::string> old_;
};

TEST(FindProgramTest, TakesTheShortestPrefixThatNamesAFile) {
    TempFolder root;
    root.MakeFolder("my");  // a folder, not a program
    const std::string program = WriteProgram(root, "my tools/record args.sh", kRecorderScript);

    platform::ProgramAndArguments found = platform::FindProgram(program + " first  second");
    EXPECT_EQ(found.program, program);
    EXPECT_EQ(found.arguments, "first  second");

    found = platform::FindProgram(program);
    EXPECT_EQ(found.program, program);
    EXPECT_EQ(found.arguments, "");

    // As on Windows, a file named by a shorter prefix wins over the longer path.
    const std::string shadow = root.WriteFile("my tools/record", "");
    found = platform::FindProgram(program + " x");
    EXPECT_EQ(found.program, shadow);
    EXPECT_EQ(found.arguments, "args.sh x");
}

TEST(FindProgramTest, AQuotedProgramIsTakenAsWritten) {
    TempFolder root;
    const std::string program = WriteProgram(root, "my tools/run", kRecorderScript);
    platform::ProgramAndArguments found = platform::FindProgram('"' + program + "\" a \"b c\"");
    EXPECT_EQ(found.program, program);
    EXPECT_EQ(found.arguments, "a \"b c\"");

    EXPECT_EQ(platform::FindProgram(root.Join("no such program") + " a").program, "");
    EXPECT_EQ(platform::FindProgram("").program, "");
}

TEST(StartCommandLineTest, StartsTheProgramDetachedWithTheSplitArguments) {
    TempFolder root;
    const std::string program =
        WriteProgram(root, "tools with spaces/record args.sh", kRecorderScript);
    // A descriptor of ours that is not marked close-on-exec must not reach the program.
    const int leaked = dup2(STDERR_FILENO, 57);
    ASSERT_EQ(leaked, 57);
    std::string error;
    const bool started = platform::StartCommandLine(
        program + R"( plain "two words" "" a\"b $(touch x);`y` C:\p\012)", &error);
    close(leaked);
    ASSERT_TRUE(started) << error;

    const auto lines = WaitForLines(root.Join("tools with spaces/record.txt"));
    ASSERT_TRUE(lines.has_value()) << "the program never ran";
    EXPECT_EQ(ArgumentsOf(*lines),
              (std::vector<std::string>{"[plain]", "[two words]", "[]", "[a\"b]", "[$(touch]",
                                        "[x);`y`]", R"([C:\p\012])"}));
    EXPECT_EQ(ValueOf(*lines, "stdin"), "/dev/null");
    // A session of its own: the program is its own session leader.
    EXPECT_EQ(ValueOf(*lines, "session"), ValueOf(*lines, "pid"));
    EXPECT_EQ(ValueOf(*lines, "fd57"), "");

    // Once the program has ended, it is reaped: it does not linger as a zombie.
    EXPECT_TRUE(WaitUntilGone(ValueOf(*lines, "pid")));
    EXPECT_EQ(ZombieChildren(), 0);
}

TEST(StartCommandLineTest, AProgramThatCannotRunGivesFalseAndAnError) {
    TempFolder root;
    const std::string notExecutable = WriteProgram(root, "plain file", kRecorderScript, 0644);
    const std::string notAProgram = WriteProgram(root, "garbage", "neither script nor binary\n");
    root.MakeFolder("a folder");

    for (const std::string& line :
         {notExecutable + " a", notAProgram + " a", root.Join("missing") + " a",
          '"' + root.Join("a folder") + "\" a", std::string("\"\" a"), std::string("")}) {
        std::string error;
        EXPECT_FALSE(platform::StartCommandLine(line, &error)) << line;
        EXPECT_NE(error, "") << line;
    }
    EXPECT_FALSE(root.Exists("record.txt"));
    EXPECT_EQ(ZombieChildren(), 0);
}

TEST(OpenWithSystemTest, HandsThePathToTheOpenerAsOneLiteralArgument) {
    TempFolder root;
    WriteProgram(root, "bin/xdg-open", kRecorderScript);
    const char* inherited = std::getenv("PATH");
    const ScopedPathVariable path(root.Join("bin") + ":" + (inherited ? inherited : ""));

    const std::string target =
        root.Join("book folder/p 012 \"quoted\" 'single';rm -rf x $(touch y) `touch z`.jpg");
    std::string error;
    ASSERT_TRUE(platform::OpenWithSystem(target, &error)) << error;

    const auto lines = WaitForLines(root.Join("bin/record.txt"));
    ASSERT_TRUE(lines.has_value()) << "the opener never ran";
    EXPECT_EQ(ArgumentsOf(*lines), (std::vector<std::string>{"[" + target + "]"}));
    EXPECT_EQ(ValueOf(*lines, "stdin"), "/dev/null");
    EXPECT_TRUE(WaitUntilGone(ValueOf(*lines, "pid")));
    EXPECT_EQ(ZombieChildren(), 0);
}

TEST(OpenWithSystemTest, WithoutAnOpenerGivesFalseAndAnError) {
    TempFolder root;
    root.MakeFolder("empty bin");
    WriteProgram(root, "not runnable/xdg-open", kRecorderScript, 0644);
    const ScopedPathVariable path(root.Join("empty bin") + ":" + root.Join("not runnable"));
    std::string error;
    EXPECT_FALSE(platform::OpenWithSystem(root.path(), &error));
    EXPECT_NE(error, "");
}

TEST(OpenWithSystemTest, AnEmptyPathOpensNothing) {
    std::string error;
    EXPECT_FALSE(platform::OpenWithSystem("", &error));
    EXPECT_NE(error, "");
}

}  // namespace

#endif  // _WIN32
