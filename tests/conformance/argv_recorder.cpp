// A stand-in outside program that takes its arguments from the system's own start-up code, so a
// test sees exactly what a started program receives. Two ways to report them:
// - QUILL_ARGV_RECORD names a file: it is written with the program folder and then each argument,
//   one to a line (the conformance tests read it).
// - QUILL_E2E_LOG names a file: one line "NAME [argument] [argument]…" is added to it, as the sh
//   stand-ins of the end-to-end tests write (tests/standins/record-call.sh). Named after a
//   script runner, it also does what the record-saving script would have the record editor do:
//   it makes the record, whose path without ".kif" is all that follows the script's path.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/test_paths.h"
#include "platform/executable_folder.h"

namespace fs = std::filesystem;

namespace {

using testing_support::PathOf;
using testing_support::TextOf;

int Record(const fs::path& record, const std::vector<std::string>& arguments) {
    fs::path partial = record;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << platform::ExecutableFolder() << '\n';
        for (const std::string& argument : arguments) out << argument << '\n';
        if (!out) return 2;
    }
    // Renamed into place only when whole, so a waiting test never reads half a record.
    std::error_code error;
    fs::rename(partial, record, error);
    return error ? 2 : 0;
}

std::string FileName(const std::string& path) { return TextOf(PathOf(path).filename()); }

int Log(const fs::path& log, const std::string& program,
        const std::vector<std::string>& arguments) {
    {
        std::ofstream out(log, std::ios::binary | std::ios::app);
        out << FileName(program);
        for (const std::string& argument : arguments) out << " [" << argument << ']';
        out << '\n';
        if (!out) return 2;
    }
    // The save script's record: a script path split at its blanks is taken whole again.
    std::size_t script = 0;
    while (script < arguments.size() && !arguments[script].ends_with(".uws")) ++script;
    if (script + 1 >= arguments.size() || FileName(arguments[script]) != "uwsSaveKif.uws") return 0;
    std::string record = arguments[script + 1];
    for (std::size_t i = script + 2; i < arguments.size(); ++i) record += ' ' + arguments[i];
    std::ofstream(PathOf(record + ".kif"), std::ios::binary) << "# made by the stand-in\n";
    return 0;
}

int Report(const std::string& program, const std::vector<std::string>& arguments,
           const char* record, const char* log) {
    if (log != nullptr) return Log(PathOf(log), program, arguments);
    if (record != nullptr) return Record(PathOf(record), arguments);
    return 1;
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

namespace {
std::string Utf8(const wchar_t* wide) { return testing_support::TextOf(fs::path(wide)); }
}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8(argv[i]));
    const wchar_t* record = _wgetenv(L"QUILL_ARGV_RECORD");
    const wchar_t* log = _wgetenv(L"QUILL_E2E_LOG");
    const std::string recordPath = record != nullptr ? Utf8(record) : std::string();
    const std::string logPath = log != nullptr ? Utf8(log) : std::string();
    // Named by its file, not by the first piece of its command line, which may be a part of it.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return Report(Utf8(self), arguments, record != nullptr ? recordPath.c_str() : nullptr,
                  log != nullptr ? logPath.c_str() : nullptr);
}
#else
int main(int argc, char** argv) {
    return Report(argc > 0 ? argv[0] : "", std::vector<std::string>(argv + 1, argv + argc),
                  std::getenv("QUILL_ARGV_RECORD"), std::getenv("QUILL_E2E_LOG"));
}
#endif
