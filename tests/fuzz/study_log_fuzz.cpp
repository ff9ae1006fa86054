// Opens arbitrary bytes as the study log and reads a book's marks, a record's history and the
// book's cycles, as the window does. Besides crashes and hangs it checks that the file's bytes
// are never changed by reading: the log is read as it is, or set aside whole (a log of an
// earlier version may be brought forward first).

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/outside_world.h"
#include "support/study_log/study_log.h"
#include "support/study_log/study_log_schema.h"

namespace {

// A world that shows nothing, at a fixed time.
class QuietWorld : public outside::OutsideWorld {
  public:
    bool StartCommandLine(const std::string&, const std::string&, std::string*) override {
        return false;
    }
    bool OpenWithSystem(const std::string&, std::string*) override { return false; }
    void PlayWaveFile(const std::string&) override {}
    void SleepMilliseconds(int) override {}
    void ShowMessage(const std::string&) override {}
    void LogWarning(const std::string&) override {}
    std::time_t Now() override { return 1800000000; }
};

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        char name[] = "/tmp/quill-study-log-fuzz-XXXXXX";
        if (mkdtemp(name) == nullptr) std::abort();
        static QuietWorld world;
        outside::InstallWorld(&world);
        return std::filesystem::path(name);
    }();
    return folder;
}

std::string Content(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& folder = Folder();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::remove(entry.path());
    }
    const std::filesystem::path path = folder / "Quillmere-study.sqlite";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    {
        studyLog::StudyLog log(path.string(), 100, 100);
        log.LastOutcomes("book");
        log.HistoryInCycle("book", "p001.kif");
        log.Cycles("book");
        log.RetentionPercent();
    }
    // A log of an earlier version (its header's user_version, at byte 60, below the program's)
    // may be brought forward as it opens; any other is left as it was, in its place or set aside.
    bool kept = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        kept = kept || Content(entry.path()) == bytes;
    }
    const bool earlier = size >= 100 &&
                         bytes.compare(0, 16, std::string("SQLite format 3", 16)) == 0 &&
                         bytes[60] == 0 && bytes[61] == 0 && bytes[62] == 0 &&
                         static_cast<unsigned char>(bytes[63]) < studyLog::kSchemaVersion;
    if (!kept && !earlier) std::abort();
    return 0;
}
