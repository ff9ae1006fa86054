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

}  // namespace commandLine
