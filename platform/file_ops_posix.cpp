#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "file_ops.h"
#include "os_posix.h"

namespace platform {
namespace {

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

// Copies the rest of `from` to `to`. Gives 0, or the errno of the read or write that failed.
int CopyContent(int from, int to) {
    std::vector<char> buffer(64 * 1024);
    while (true) {
        const ssize_t got = read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return 0;
        const int error =
            posix::WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        if (error != 0) return error;
    }
}

// Copies all of `from` to a new file made at `to` itself, exclusively, and removes that file
// again if the copy fails. Gives 0, or the errno of the step that failed.
int CopyUnderItsOwnName(int from, const std::string& to) {
    posix::FileDescriptor direct(
        open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!direct.valid()) return errno;
    int error = lseek(from, 0, SEEK_SET) == 0 ? 0 : errno;
    if (error == 0) error = CopyContent(from, direct.get());
    if (error == 0 && fsync(direct.get()) != 0) error = errno;
    if (!direct.Close() && error == 0) error = errno;
    if (error != 0) unlink(to.c_str());
    return error;
}

// A failed copy: the side at fault, `path`, and why, in the system's words for `error`; without
// an error, what stands at `path` is not a regular file.
CopyResult CopyFailed(CopyFault fault, const std::string& path, int error) {
    const char* doing = fault == CopyFault::kSourceUnreadable ? "read" : "make";
    return {fault, FailureText(Cannot(doing, path),
                               error != 0 ? posix::ErrorText(error) : "not a regular file")};
}

}  // namespace

std::optional<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path) {
    struct stat info;
    posix::FileDescriptor fd = posix::OpenRegularFile(path, &info);
    if (!fd.valid()) return std::nullopt;
    return ReadOnlyFile(fd.Release());
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

ReadOnlyFile::~ReadOnlyFile() { Close(); }

void ReadOnlyFile::Close() {
    if (handle_ >= 0) {
        close(static_cast<int>(handle_));
        handle_ = -1;
    }
}

std::optional<std::uint64_t> FileLength(const std::string& path) {
    struct stat info;
    if (!IsUsablePath(path) || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

bool DeleteFileAt(const std::string& path) {
    // unlink never removes a folder.
    return IsUsablePath(path) && unlink(path.c_str()) == 0;
}

bool MoveToNewName(const std::string& from, const std::string& to, std::string* reason) {
    const std::string what = Cannot("move", from + " to " + to);
    if (!IsUsablePath(from) || !IsUsablePath(to)) {
        return Fail(reason, what, posix::ErrorText(EINVAL));
    }
    // Not every file system (a USB stick's) has links or renames that refuse to replace, so the
    // name is looked at first; a name taken meanwhile is the only case left.
    if (EntryAt(to) != EntryKind::kNothing) return Fail(reason, what, posix::ErrorText(EEXIST));
    if (rename(from.c_str(), to.c_str()) != 0) return Fail(reason, what, posix::ErrorText(errno));
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view content, std::string* reason) {
    const std::string what = Cannot("write", path);
    if (!IsUsablePath(path)) return Fail(reason, what, posix::ErrorText(EINVAL));
    int error = 0;
    posix::TemporaryFileBeside temporary(path, error);
    if (temporary.valid()) error = posix::WriteAll(temporary.fd(), content);
    if (error == 0) error = temporary.Finish();
    if (error == 0) error = temporary.Replace(path);
    if (error != 0) return Fail(reason, what, posix::ErrorText(error));
    return true;
}

bool SameEntry(const std::string& first, const std::string& second) {
    struct stat one;
    struct stat other;
    return IsUsablePath(first) && IsUsablePath(second) && stat(first.c_str(), &one) == 0 &&
           stat(second.c_str(), &other) == 0 && one.st_dev == other.st_dev &&
           one.st_ino == other.st_ino;
}

EntryKind EntryAt(const std::string& path) {
    if (!IsUsablePath(path)) return EntryKind::kNothing;
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? EntryKind::kNothing : EntryKind::kOther;
    }
    if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) return EntryKind::kFile;
    if (S_ISDIR(info.st_mode)) return EntryKind::kFolder;
    return EntryKind::kOther;
}

CopyResult CopyToNewFile(const std::string& from, const std::string& to) {
    struct stat info;
    errno = 0;
    const posix::FileDescriptor source = posix::OpenRegularFile(from, &info);
    if (!source.valid()) return CopyFailed(CopyFault::kSourceUnreadable, from, errno);
    if (!IsUsablePath(to)) return CopyFailed(CopyFault::kDestinationNotMade, to, EINVAL);

    // The copy is made whole under a hidden name beside its destination and then linked in
    // under the real name, which fails if anything, even a link that leads nowhere, has come to
    // stand there; a failure never leaves a partial file under the real name.
    int error = 0;
    posix::TemporaryFileBeside temporary(to, error);
    if (!temporary.valid()) return CopyFailed(CopyFault::kDestinationNotMade, to, error);
    error = CopyContent(source.get(), temporary.fd());
    if (error == 0) error = temporary.Finish();
    if (error == 0) {
        error = temporary.PlaceAsNew(to);
        // A file system without links (FAT on a memory stick).
        if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK) {
            error = CopyUnderItsOwnName(source.get(), to);
        }
    }
    if (error != 0) return CopyFailed(CopyFault::kDestinationNotMade, to, error);
    return {};
}

}  // namespace platform
