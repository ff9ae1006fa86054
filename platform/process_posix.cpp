#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "os_posix.h"
#include "process.h"

extern char** environ;

namespace platform {
namespace {

bool IsRegularFile(const std::string& path) {
    struct stat info;
    return !path.empty() && path.find('\0') == std::string::npos &&
           stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsRunnableFile(const std::string& path) {
    return IsRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

// The started program runs on by itself; a thread of ours waits for its end only so that the
// system can forget it, instead of keeping a zombie until we exit.
void ReapWhenDone(pid_t child) {
    try {
        std::thread([child] {
            int status;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the child still runs, and is reaped when we exit.
    }
}

// Runs `program` with `arguments`, without a shell, in a session of its own (so it outlives us
// and no terminal signal of ours reaches it), with no input, our other descriptors closed, and
// the signal state of a fresh program.
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   std::string& why) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    posix_spawnattr_setsigdefault(&attributes, &allSignals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t child = 0;
    // glibc reports a failed exec here, in the result, rather than in a child that dies at once.
    const int result =
        posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        why = posix::ErrorText(result);
        return false;
    }
    ReapWhenDone(child);
    return true;
}

std::string FindOnPath(const std::string& name) {
    const char* variable = getenv("PATH");
    std::string path;
    if (variable != nullptr) {
        path = variable;
    } else {
        const std::size_t size = confstr(_CS_PATH, nullptr, 0);
        if (size > 0) {
            path.resize(size);
            confstr(_CS_PATH, path.data(), size);
            path.resize(size - 1);
        }
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        const std::string folder = path.substr(start, end - start);
        // An empty entry would mean the current folder; a desktop opener is never looked for
        // there.
        if (!folder.empty()) {
            const std::string candidate = folder + "/" + name;
            if (IsRunnableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace

ProgramAndArguments FindProgram(const std::string& commandLine) {
    if (commandLine.empty()) return {};
    if (commandLine[0] == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        if (closing == std::string::npos) return {commandLine.substr(1), ""};
        std::string rest = commandLine.substr(closing + 1);
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        return {commandLine.substr(1, closing - 1), rest};
    }
    // Windows reads an unquoted path with spaces the same way: the shortest prefix ending at a
    // space that names a file is the program.
    std::size_t space = commandLine.find(' ');
    while (true) {
        const std::string prefix = commandLine.substr(0, space);
        if (IsRegularFile(prefix)) {
            return {prefix, space == std::string::npos ? "" : commandLine.substr(space + 1)};
        }
        if (space == std::string::npos) return {};
        space = commandLine.find(' ', space + 1);
    }
}

namespace {

bool StartFound(const ProgramAndArguments& found, std::string& why) {
    if (!IsRegularFile(found.program)) {
        why = "the program file " + found.program + " does not exist or is not a file";
        return false;
    }
    if (access(found.program.c_str(), X_OK) != 0) {
        why = "the program file " + found.program + " cannot be run: " + posix::ErrorText(errno);
        return false;
    }
    return SpawnDetached(found.program, SplitCommandLine(found.arguments), why);
}

bool StartLine(const std::string& commandLine, std::string& why) {
    if (commandLine.find('\0') != std::string::npos) {
        why = "the command line holds a NUL character";
        return false;
    }
    const ProgramAndArguments found = FindProgram(commandLine);
    if (found.program.empty()) {
        why = "no program file was found in the command line";
        return false;
    }
    return StartFound(found, why);
}

bool StartLineOfProgram(const std::string& program, const std::string& commandLine,
                        std::string& why) {
    if (commandLine.find('\0') != std::string::npos) {
        why = "the command line holds a NUL character";
        return false;
    }
    const bool lineBeginsWithProgram =
        !program.empty() && commandLine.compare(0, program.size(), program) == 0 &&
        (commandLine.size() == program.size() || commandLine[program.size()] == ' ');
    // The path that was set is the program when it names a file, even one that cannot run: a
    // shorter prefix of it is never run in its place.
    if (lineBeginsWithProgram && IsRegularFile(program)) {
        const std::string arguments =
            commandLine.size() == program.size() ? "" : commandLine.substr(program.size() + 1);
        return StartFound({program, arguments}, why);
    }
    return StartLine(commandLine, why);
}

bool OpenPath(const std::string& path, std::string& why) {
    if (path.empty()) {
        why = "no path was given";
        return false;
    }
    if (path.find('\0') != std::string::npos) {
        why = "the path holds a NUL character";
        return false;
    }
    const std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) {
        why = "no program to open files with was found (xdg-open is not installed)";
        return false;
    }
    // A path starting with "-" would be taken for an option.
    const std::string argument = path[0] == '-' ? "./" + path : path;
    return SpawnDetached(opener, {argument}, why);
}

}  // namespace

bool StartCommandLine(const std::string& commandLine, std::string* error) {
    std::string why;
    return StartLine(commandLine, why) || Fail(error, Cannot("start", commandLine), why);
}

bool StartProgram(const std::string& program, const std::string& commandLine, std::string* error) {
    std::string why;
    return StartLineOfProgram(program, commandLine, why) ||
           Fail(error, Cannot("start", commandLine), why);
}

std::string ProtectQuotes(const std::string& piece) {
    std::string out;
    out.reserve(piece.size());
    std::size_t backslashes = 0;
    for (char c : piece) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') out.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        out += c;
    }
    return out;
}

bool OpenWithSystem(const std::string& path, std::string* error) {
    std::string why;
    return OpenPath(path, why) || Fail(error, Cannot("open", path), why);
}

}  // namespace platform
