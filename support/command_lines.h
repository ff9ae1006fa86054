#pragma once

#include <string>

// Every command line the program starts is built here, and only here. Pieces are joined with
// single spaces and nothing is quoted, except the editor's file argument.
namespace commandLine {

// A program started without a document: the path alone.
std::string ProgramAlone(const std::string& programPath);

// The editor on one file: editor path, a space, the file path in double quotes.
std::string Editor(const std::string& editorPath, const std::string& filePath);

// The script runner on "uwsSaveKif.uws" with the record's path without extension.
std::string SaveKifScript(const std::string& uwscPath, const std::string& programFolder,
                          const std::string& recordPathWithoutExtension);

// The script runner on "uwsOpenStart.uws" with the problem file's path.
std::string OpenStartScript(const std::string& uwscPath, const std::string& programFolder,
                            const std::string& problemPath);

// The script runner on "uwsEditTxt.uws" with the editor path (spaces as "<spc>") and the
// companion text file's path.
std::string EditTxtScript(const std::string& uwscPath, const std::string& programFolder,
                          const std::string& editorPath, const std::string& companionPath);

// The editor path with every space replaced by "<spc>", so that it reaches a script as one
// argument.
std::string EncodeSpaces(const std::string& path);

// Whether a script receives `path`, handed to it unquoted, as the same path. The line is split
// at blanks (spaces and tabs) and the shipped scripts join the pieces again with single spaces,
// so a path holding a tab or two blanks in a row, or starting or ending with a blank, would
// arrive as another one.
bool ArrivesWhole(const std::string& path);

// Whether "uwsEditTxt.uws" reads the editor's path back as itself from EncodeSpaces: a path that
// already holds "<spc>" would come back with a space there, and a tab would split it.
bool EditorArrivesWhole(const std::string& editorPath);

}  // namespace commandLine
