#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/user_interface.h"

// The support routines both windows work through. Stateless: every path is built afresh.
// Text is UTF-8; where a routine counts characters, it counts Unicode characters, not bytes.
namespace modFunc {

// A list of file names indexed from 0 whose element 0 is always the empty string.
using NameArray = std::vector<std::string>;

// The folder of the running program, without a trailing separator (except at a root).
std::string ProgramFolder();
// Makes ProgramFolder() give `folder` instead; an empty text restores the real one. For tests,
// which run the windows on a throwaway program folder.
void OverrideProgramFolder(const std::string& folder);

// ---- The settings file -------------------------------------------------------------------
// Program folder, separator, "Quillmere.ini".
std::string IniFilePath();
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::string& defaultValue);
// Gives false, with a description in `error` when given, when the file could not be written.
bool WriteIniValue(std::string_view section, std::string_view key, const std::string& value,
                   std::string* error = nullptr);

// ---- Paths, files and folders ------------------------------------------------------------
bool FolderExists(const std::string& path);
// Shows the lookup's error and the path in a message when the lookup fails.
bool FileExists(const std::string& path);
// True only for an existing regular file of at least one byte; deletes a file of zero bytes.
// Never blocks and never shows anything.
bool FileHasContent(const std::string& path);
std::string ParentFolder(const std::string& path);
// `folder`, the separator, `name`.
std::string JoinPath(std::string_view folder, std::string_view name);
// The name with everything after its last period replaced by `extension`. A name without a
// period shows kMsgNoPeriod and gives nothing: the caller stops its handler there.
std::optional<std::string> ReplaceExtension(const std::string& name, std::string_view extension);
bool IsAllDigits(const std::string& text);
// Throws std::out_of_range for a start below 1 or a field above 2147483647.
std::string DecrementNumberAt(const std::string& text, int start, int width);
// The page image of the page before the one `imageName` names: the three digits after its first
// character, less one ("p012.jpg" gives "p011.jpg"). Empty where there is no page before: page
// 000, or a name without a page number there.
std::string PreviousPageImage(const std::string& imageName);
// The files of `folder` with the extensions of `extensions` ("kif;bod"), into `names` after its
// empty element 0.
void ListFilesByExtensions(const std::string& folder, std::string_view extensions,
                           NameArray& names);
void FillFolderList(const std::string& folder, outside::ListBox& list);
void FillListFromArray(const NameArray& names, outside::ListBox& list);

// ---- Sound and editor --------------------------------------------------------------------
// The path of sound `name`: in the program folder, or else in the system's sound folder. A
// folder that cannot be listed is said in a message, so it is found on the user-interface thread.
std::string SoundFilePath(std::string_view name);
// Plays `name` from SoundFilePath; synchronous.
void PlaySoundFile(std::string_view name);
void OpenInEditor(const std::string& editor, const std::string& file);

// ---- Starting outside programs -----------------------------------------------------------
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
