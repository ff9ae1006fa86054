// Feeds arbitrary bytes to the command-line splitter, to the finder of a command line's program,
// and to the builders of the program's command lines. Besides crashes and hangs it checks:
// - arguments quoted by the Windows rules and split again come back the same;
// - the program found is a prefix of the line that ends at a space and names a file, and no
//   shorter such prefix does;
// - a file handed to the editor, and a record handed to a script, arrive as the very same
//   argument, whatever quotes and backslashes their names hold.

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"
#include "support/command_lines.h"
#include "support/modConst.h"

namespace {

using Arguments = std::vector<std::string>;

[[noreturn]] void Fail(const char* what, std::string_view input) {
    std::fprintf(stderr, "%s\ninput: [%.*s]\n", what, static_cast<int>(input.size()), input.data());
    std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One argument written so that the Windows rules read it back unchanged: quoted when it is empty
// or holds a blank or a quote; backslashes doubled where a quote follows them.
std::string Quote(const std::string& argument) {
    if (!argument.empty() &&
        argument.find_first_of(std::string_view(" \t\"", 3)) == std::string::npos) {
        return argument;
    }
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    out += '"';
    return out;
}

std::string JoinQuoted(const Arguments& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += Quote(argument);
    }
    return line;
}

// Every piece between NUL bytes is one argument; a program's arguments can hold anything else.
Arguments PiecesBetweenNuls(std::string_view input) {
    Arguments pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = input.find('\0', start);
        pieces.emplace_back(input.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return pieces;
}

bool IsRegularFile(const std::string& path) {
    struct stat info;
    return !path.empty() && path.find('\0') == std::string::npos &&
           stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A folder of files whose names hold spaces, quotes and dashes, so that the finder has programs
// to find. Made once for the whole run.
const std::string& ProgramFolder() {
    static const std::string folder = [] {
        std::string path = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        path += "/quill-command-line-fuzz-XXXXXX";
        if (mkdtemp(path.data()) == nullptr) std::abort();
        for (const char* name : {"a", "a b", "x y z", "-", "\"q\"", "tab\tname", "b\\c", "sp "}) {
            std::ofstream(path + "/" + name) << "program";
        }
        mkdir((path + "/dir").c_str(), 0755);
        mkdir((path + "/dir x").c_str(), 0755);
        std::ofstream(path + "/dir x/p") << "program";
        return path;
    }();
    return folder;
}

void CheckSplitting(std::string_view input) {
    const std::string line(input);
    const Arguments split = platform::SplitCommandLine(line);
    if (platform::SplitCommandLine(JoinQuoted(split)) != split) {
        Fail("split, quoted and split again differs", input);
    }
    const Arguments pieces = PiecesBetweenNuls(input);
    if (platform::SplitCommandLine(JoinQuoted(pieces)) != pieces) {
        Fail("quoted arguments split differently", input);
    }
}

void CheckFinding(std::string_view input, const std::string& line) {
    const platform::ProgramAndArguments found = platform::FindProgram(line);
    if (!line.empty() && line[0] == '"') {
        if (found.program.find('"') != std::string::npos) {
            Fail("quoted program holds a quote", input);
        }
        if (line.compare(1, found.program.size(), found.program) != 0) {
            Fail("quoted program is not the quoted text", input);
        }
        return;
    }
    if (found.program.empty()) {
        if (!found.arguments.empty()) Fail("arguments without a program", input);
        return;
    }
    const std::size_t length = found.program.size();
    if (line.compare(0, length, found.program) != 0) Fail("program is not a prefix", input);
    if (length == line.size()) {
        if (!found.arguments.empty()) Fail("arguments after the whole line", input);
    } else if (line[length] != ' ' || found.arguments != line.substr(length + 1)) {
        Fail("program does not end at a space before its arguments", input);
    }
    if (!IsRegularFile(found.program)) Fail("program is no file", input);
    for (std::size_t space = line.find(' '); space < length; space = line.find(' ', space + 1)) {
        if (IsRegularFile(line.substr(0, space))) Fail("a shorter prefix names a file", input);
    }
}

// Names as the program builds them into command lines: a file for the editor (quoted), and a
// record path for a script (not quoted, so it must hold no blank to stay one argument).
void CheckBuiltLines(std::string_view input) {
    const std::string file(input.substr(0, input.find('\0')));
    const std::string editorLine = commandLine::Editor("editor", file);
    if (platform::SplitCommandLine(editorLine.substr(std::string_view("editor ").size())) !=
        Arguments{file}) {
        Fail("the editor's file argument changed", input);
    }

    if (file.empty()) return;
    for (char c : file) {
        if (IsBlank(c)) return;
    }
    const std::string folder = "/prog\\\"";
    const std::string scriptLine = commandLine::OpenStartScript("runner", folder, file);
    const Arguments expected = {
        folder + std::string(modConst::kSep) + std::string(modConst::kScriptOpenStart), file};
    if (platform::SplitCommandLine(scriptLine.substr(std::string_view("runner ").size())) !=
        expected) {
        Fail("the script's record argument changed", input);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckSplitting(input);
    const std::string line(input.substr(0, input.find('\0')));
    CheckFinding(input, line);
    CheckFinding(input, ProgramFolder() + "/" + line);
    CheckBuiltLines(input);
    return 0;
}
