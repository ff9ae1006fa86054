#include "conformance/os_helpers.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "common/test_paths.h"
#include "platform/executable_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace conformance {
namespace {

using testing_support::PathOf;

#ifdef _WIN32
void AddAttribute(const std::string& path, DWORD attribute) {
    const std::wstring wide = testing_support::Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        SetFileAttributesW(wide.c_str(), attributes | attribute) == 0) {
        throw std::runtime_error("cannot set the attributes of " + path);
    }
}
#endif

}  // namespace

std::string MakeHiddenFile(const testing_support::TempFolder& folder, const std::string& name) {
#ifdef _WIN32
    AddAttribute(folder.WriteFile(name, "hidden"), FILE_ATTRIBUTE_HIDDEN);
    return name;
#else
    folder.WriteFile("." + name, "hidden");
    return "." + name;
#endif
}

std::string MakeHiddenFolder(const testing_support::TempFolder& folder, const std::string& name) {
#ifdef _WIN32
    AddAttribute(folder.MakeFolder(name), FILE_ATTRIBUTE_HIDDEN);
    return name;
#else
    folder.MakeFolder("." + name);
    return "." + name;
#endif
}

void MakeSystemEntry(const testing_support::TempFolder& folder, const std::string& name) {
#ifdef _WIN32
    AddAttribute(folder.WriteFile(name, "system"), FILE_ATTRIBUTE_SYSTEM);
#else
    if (mkfifo(folder.Join(name).c_str(), 0600) != 0) {
        throw std::runtime_error("cannot make a FIFO " + name);
    }
#endif
}

void MakeReadOnly(const std::string& path) {
#ifdef _WIN32
    AddAttribute(path, FILE_ATTRIBUTE_READONLY);
#else
    if (chmod(path.c_str(), 0444) != 0) throw std::runtime_error("cannot protect " + path);
#endif
}

bool ReadOnlyBinds() {
#ifdef _WIN32
    return true;
#else
    return geteuid() != 0;
#endif
}

std::string ProgramFileName(const std::string& base) {
#ifdef _WIN32
    return base + ".exe";
#else
    return base;
#endif
}

std::string StandInProgram() {
    return platform::ExecutableFolder() + testing_support::kSep + ProgramFileName("argv_recorder");
}

void SetRecordFile(const std::string& path) {
#ifdef _WIN32
    SetEnvironmentVariableW(L"QUILL_ARGV_RECORD", testing_support::Wide(path).c_str());
#else
    setenv(kRecordVariable, path.c_str(), 1);
#endif
}

void CopyProgram(const std::string& from, const std::string& to) {
    fs::copy_file(PathOf(from), PathOf(to), fs::copy_options::overwrite_existing);
}

std::optional<std::string> WaitForFile(const std::string& path, std::chrono::seconds timeout) {
    const auto giveUp = std::chrono::steady_clock::now() + timeout;
    // The stand-in renames its record into place only when it is complete, and a record is never
    // empty; under Wine a file just renamed into place can still read as empty or fail to open
    // for a moment, so it is read again until it gives its content.
    while (true) {
        if (fs::exists(PathOf(path))) {
            std::ifstream in(PathOf(path), std::ios::binary);
            std::ostringstream content;
            content << in.rdbuf();
            if (!content.str().empty()) return content.str();
        }
        if (std::chrono::steady_clock::now() > giveUp) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string Utf8(const char8_t* text) {
    const std::u8string utf8(text);
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace conformance
