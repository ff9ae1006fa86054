#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// Gives `from` the name `to` in the same folder, never replacing anything that stands at `to`.
// False, with the system's reason in `reason` when given, when it was not moved.
bool MoveToNewName(const std::string& from, const std::string& to, std::string* reason = nullptr);

// Makes `content` the whole of the file at `path`, new or replacing the file there: written in
// full to a temporary file beside it and flushed to the disk, then put in its place in one step,
// so that a failure part way (a full disk) leaves what stood at `path` exactly as it was. Never
// opens `path` itself. False, with the system's reason in `reason` when given, on failure.
bool WriteFileReplacing(const std::string& path, std::string_view content,
                        std::string* reason = nullptr);

// Whether two paths lead to the same file or folder, by the system's identity of it (through a
// link, a hard link, another spelling of the same folder); false when either cannot be looked at.
bool SameEntry(const std::string& first, const std::string& second);

// What stands at a path, without following a link that stands there.
enum class EntryKind {
    kNothing,  // no entry at all
    kFile,     // a file, readable or not (one locked by another program too), or any link
    kFolder,
    kOther,  // a FIFO, a device, a socket, or an entry that cannot be looked at
};
EntryKind EntryAt(const std::string& path);

// Which side of a copy failed.
enum class CopyFault {
    kNone,
    kSourceUnreadable,    // `from` is not a regular file that can be opened for reading
    kDestinationNotMade,  // `from` opened, but the new file could not be made and filled at `to`
};

// The outcome of CopyToNewFile: true when the copy was made.
struct CopyResult {
    CopyFault fault = CopyFault::kNone;
    std::string reason;  // for the program's log: what could not be read or made, and why
    explicit operator bool() const { return fault == CopyFault::kNone; }
};

// Makes a new file at `to` holding a copy of the content of the file `from`. The new file gets
// the permissions any new file of the user gets (on POSIX 0666 less the umask; on Windows never
// the read-only attribute), not those of `from`. Anything that already stands at `to` (a file, a
// link, even one that leads nowhere, a folder) makes the copy fail and stays exactly as it was.
// A failed copy leaves no partial file behind, and says which side failed and why.
CopyResult CopyToNewFile(const std::string& from, const std::string& to);

}  // namespace platform
