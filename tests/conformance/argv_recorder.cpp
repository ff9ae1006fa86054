// A stand-in outside program: writes its program folder and then each argument it was given, one
// to a line, to the file named by QUILL_ARGV_RECORD. It takes its arguments from the system's own
// start-up code, so a test sees exactly what a started program receives.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/program_folder.h"

namespace fs = std::filesystem;

namespace {

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

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    const wchar_t* record = _wgetenv(L"QUILL_ARGV_RECORD");
    if (record == nullptr) return 1;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::u8string utf8 = fs::path(argv[i]).u8string();
        arguments.emplace_back(utf8.begin(), utf8.end());
    }
    return Record(fs::path(record), arguments);
}
#else
int main(int argc, char** argv) {
    const char* record = std::getenv("QUILL_ARGV_RECORD");
    if (record == nullptr) return 1;
    return Record(fs::path(record), std::vector<std::string>(argv + 1, argv + argc));
}
#endif
