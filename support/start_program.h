#pragma once

#include <string>
#include <string_view>

// Starting outside programs, and telling the user what could not be done.
namespace modFunc {

// Starts a command line built by commandLine::*, which begins with `program`, the path of the
// program as it was set. A program that cannot be started is reported in a message naming the
// command line; gives false then.
bool StartProgram(const std::string& program, const std::string& commandLine);

// Shows a message box with the program's title.
void ShowMessage(std::string_view text);
// Shows a message that names a file or command: the text, a line break, two spaces, the path.
void ShowMessageNaming(std::string_view text, const std::string& path);
// A failure told to the user: the system's reason (which names what failed) to the log, then
// `text` in a message naming `path`.
void ReportFailure(std::string_view text, const std::string& path, const std::string& reason);

}  // namespace modFunc
