#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// An existing regular file opened for reading only. Opening never creates a file and never
// blocks: a FIFO, a device or a folder fails to open.
class ReadOnlyFile {
public:
    static std::optional<ReadOnlyFile> Open(const std::string& path);
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    void Close();

private:
    explicit ReadOnlyFile(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
};

// The length in bytes of the file at `path`, or nothing when it cannot be read.
std::optional<std::uint64_t> FileLength(const std::string& path);

// Deletes a file. Never deletes a folder. True on success.
bool DeleteFileAt(const std::string& path);

// Copies a file's content to `to`, replacing a writable file there. Anything else in the way (a
// folder, a FIFO, a device, a read-only file) makes the copy fail and stays as it was. A failed
// copy leaves no partial file behind. True on success.
bool CopyFileTo(const std::string& from, const std::string& to);

}  // namespace platform
