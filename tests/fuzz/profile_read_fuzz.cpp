// Feeds arbitrary bytes to the settings-file reader and writer. Besides crashes and hangs it
// checks that a write stores the value where a read finds it, changes no other value, and
// keeps every other line of the file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace {

struct Entry {
    const char* section;
    const char* key;
};

// The entry every input is written to, and others (none of them the target) that must keep
// their values.
constexpr Entry kTarget = {"ExePath", "KifFWin"};
constexpr Entry kOthers[] = {
    {"exepath", "KSHOGI"},   {"ExePath", "UWSC"},
    {"EXEPATH", "Terapad"},  {"a", "k"},
    {"Other", "UWSC"},       {"", ""},
    {" ExePath ", "kshogi"},
};
constexpr char kStoredValue[] = "C:/Fuzz/KifuW.exe";
constexpr char kDefault[] = "<default>";

// One folder for the whole run, in memory when the system offers it, to keep fsync cheap.
const std::string& WorkFolder() {
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/quill-profile-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return folder;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

// A write replaces one line, or inserts lines (possibly ending an unfinished last line), so at
// most one line of the original may be missing from the written file's common start and end.
bool KeepsOtherLines(std::string_view before, std::string_view after) {
    const std::vector<std::string_view> old = SplitLines(before);
    const std::vector<std::string_view> now = SplitLines(after);
    const std::size_t shorter = old.size() < now.size() ? old.size() : now.size();
    std::size_t head = 0;
    while (head < shorter && old[head] == now[head]) ++head;
    std::size_t tail = 0;
    while (head + tail < shorter && old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    return old.size() - head - tail <= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string readPath = WorkFolder() + "/read.ini";
    const std::string writePath = WorkFolder() + "/write.ini";
    WriteBytes(readPath, input);
    WriteBytes(writePath, input);

    std::vector<std::string> valuesBefore;
    for (const Entry& entry : kOthers) {
        valuesBefore.push_back(
            platform::ReadProfileValue(entry.section, entry.key, kDefault, readPath));
    }
    platform::ReadProfileValue(kTarget.section, kTarget.key, kDefault, readPath);

    std::string error;
    if (!platform::WriteProfileValue(kTarget.section, kTarget.key, kStoredValue, writePath,
                                     &error)) {
        std::fprintf(stderr, "write failed: %s\n", error.c_str());
        std::abort();
    }
    if (platform::ReadProfileValue(kTarget.section, kTarget.key, kDefault, writePath) !=
        kStoredValue) {
        std::abort();
    }
    for (std::size_t i = 0; i < std::size(kOthers); ++i) {
        const Entry& entry = kOthers[i];
        if (platform::ReadProfileValue(entry.section, entry.key, kDefault, writePath) !=
            valuesBefore[i]) {
            std::abort();
        }
    }
    if (!KeepsOtherLines(input, ReadBytes(writePath))) std::abort();
    return 0;
}
