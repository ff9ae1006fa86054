#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "common/temp_folder.h"

// What differs between the systems in setting up a test, so that the tests themselves read the
// same on both.
namespace conformance {

// Makes a file or folder that the system counts as hidden and gives the name it has in its
// folder: a dot-name on POSIX, the hidden attribute on Windows.
std::string MakeHiddenFile(const testing_support::TempFolder& folder, const std::string& name);
std::string MakeHiddenFolder(const testing_support::TempFolder& folder, const std::string& name);

// Makes an entry that is neither an ordinary file nor a folder to the program: a FIFO on POSIX,
// a file with the system attribute on Windows.
void MakeSystemEntry(const testing_support::TempFolder& folder, const std::string& name);

// Takes away the right to write to a file.
void MakeReadOnly(const std::string& path);
// Whether a read-only file is read-only to this test: POSIX permissions do not bind the
// superuser.
bool ReadOnlyBinds();

// The name a program file has on this system: "name.exe" on Windows.
std::string ProgramFileName(const std::string& base);

// The stand-in outside program built beside the tests. It writes the arguments it receives to
// the file named by kRecordVariable.
std::string StandInProgram();
inline constexpr const char* kRecordVariable = "QUILL_ARGV_RECORD";
void SetRecordFile(const std::string& path);

// Copies a program file, keeping it runnable.
void CopyProgram(const std::string& from, const std::string& to);

// Waits for a file to appear with some content and gives that content, or nothing after
// `timeout`.
std::optional<std::string> WaitForFile(const std::string& path, std::chrono::seconds timeout);

// Turns a UTF-8 string literal (u8"...") into the program's UTF-8 std::string.
std::string Utf8(const char8_t* text);

}  // namespace conformance
