#pragma once

#include <string>

// The rules by which a started program reads its command line, which ProtectQuotes writes for.
#include "command_line_split.h"

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
