#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts a program from one command line, in a normal window that takes the focus, without
// waiting for it and without keeping it. Gives false, with a description in `error`, when the
// program could not be started.
//
// On POSIX the program is the first space-delimited prefix of the line that names an existing
// regular file (as Windows does for an unquoted path with spaces), or a quoted first argument;
// the rest is split into arguments by SplitCommandLine. The program is run without a shell,
// detached, and reaped so that no zombie is left.
bool StartCommandLine(const std::string& commandLine, std::string* error = nullptr);

// Starts a command line that begins with `program`, the path of the program as it was set. When
// that path names a program file, that file runs, whatever a shorter prefix of it names (on
// Windows the system is handed the path as the program's name and quoted at the start of the
// line, so that it searches no prefixes either); only when it names no file is the line read as
// StartCommandLine reads it.
bool StartProgram(const std::string& program, const std::string& commandLine,
                  std::string* error = nullptr);

// A piece of a command line written so that the started program reads it back as it is. On
// POSIX, where the line is split by the rules of SplitCommandLine, a double quote is written as
// \" (the backslashes before it doubled); on Windows the started program reads its line itself,
// and the piece stays exactly as it is.
std::string ProtectQuotes(const std::string& piece);

// Splits the argument part of a command line by the Windows rules (those of the C runtime):
// blanks separate arguments; double quotes group; 2n backslashes before a quote give n
// backslashes and the quote acts; 2n+1 give n and a literal quote; "" inside quotes gives a
// quote and the quoted text goes on (the runtime's rule since 2008; shell32's
// CommandLineToArgvW ends the quotes there instead); other backslashes are literal; "" alone is
// an empty argument.
std::vector<std::string> SplitCommandLine(const std::string& arguments);

// The program path and the remaining argument text of a command line, found as StartCommandLine
// does. An empty program means none was found.
struct ProgramAndArguments {
    std::string program;
    std::string arguments;
};
ProgramAndArguments FindProgram(const std::string& commandLine);

// Opens a file or folder with the desktop's own handler (the file browser for a folder, the
// image viewer for an image), as ShellExecute "open" does, without waiting. The path reaches the
// handler as one literal argument. Gives false when no handler could be started.
bool OpenWithSystem(const std::string& path, std::string* error = nullptr);

}  // namespace platform
