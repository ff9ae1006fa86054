#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// A regular file's length and the time it was last written, as the system tells them. A file
// whose stamp is unchanged is taken to hold what it held.
struct FileStamp {
    std::uint64_t length = 0;
    std::int64_t written = 0;
    bool operator==(const FileStamp&) const = default;
};

enum class HeadStatus {
    kRead,        // `bytes` holds the file's start
    kMissing,     // nothing of that name
    kNotAFile,    // a folder, a FIFO, a device
    kUnreadable,  // a file that cannot be opened or read
};

// The first bytes of a file, read without ever blocking or reading more than asked.
struct FileHead {
    HeadStatus status = HeadStatus::kMissing;
    std::string bytes;
    FileStamp stamp;
    // The whole file was read.
    bool Whole() const { return status == HeadStatus::kRead && bytes.size() == stamp.length; }
};

// Reads at most `limit` bytes from the start of the regular file at `path`. A FIFO, a device or
// a folder is never opened.
FileHead ReadFileHead(const std::string& path, std::size_t limit);

// The stamp of the regular file at `path`, or nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

}  // namespace platform
