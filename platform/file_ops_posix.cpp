#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "file_ops.h"
#include "regular_file_posix.h"

namespace platform {
namespace {

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool CopyContent(int from, int to) {
    std::vector<char> buffer(64 * 1024);
    while (true) {
        const ssize_t got = read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) return true;
        if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(got))) return false;
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t last = path.rfind('/');
    if (last == std::string::npos) return ".";
    return last == 0 ? "/" : path.substr(0, last);
}

// A new file beside `path` under a hidden name of its own, made with 0666 so that the umask (and a
// folder's default access list) decides its permissions as for any new file. Gives -1 when none
// could be made.
int MakeTemporaryBeside(const std::string& path, std::string& temporary) {
    static std::mt19937_64 generator{std::random_device{}()};
    const std::string stem = FolderOf(path) + "/.quill-copy-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(generator() % 1000000000ULL) + ".tmp";
        const int fd =
            open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool CopyToDescriptor(int source, int target) {
    bool ok = lseek(source, 0, SEEK_SET) == 0 && CopyContent(source, target);
    ok = ok && fsync(target) == 0;
    return (close(target) == 0) && ok;
}

}  // namespace

namespace posix {

// The type is checked before the open, so a FIFO or a device is never even opened (opening some
// has side effects), and again on the open descriptor in case the path changed in between. The
// open never blocks and never makes a terminal ours.
int OpenRegularFile(const std::string& path, struct stat* info) {
    if (!IsUsablePath(path)) return -1;
    if (stat(path.c_str(), info) != 0 || !S_ISREG(info->st_mode)) return -1;
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    if (fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace posix

std::optional<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path) {
    struct stat info;
    const int fd = posix::OpenRegularFile(path, &info);
    if (fd < 0) return std::nullopt;
    return ReadOnlyFile(fd);
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

bool CopyToNewFile(const std::string& from, const std::string& to) {
    if (!IsUsablePath(to)) return false;
    struct stat info;
    const int source = posix::OpenRegularFile(from, &info);
    if (source < 0) return false;

    // The copy is made whole under a hidden name beside its destination and then linked in
    // under the real name, which fails if anything, even a link that leads nowhere, has come to
    // stand there; a failure never leaves a partial file under the real name.
    std::string temporary;
    const int target = MakeTemporaryBeside(to, temporary);
    if (target < 0) {
        close(source);
        return false;
    }
    bool ok = CopyToDescriptor(source, target);
    if (ok && link(temporary.c_str(), to.c_str()) != 0) {
        // A file system without links (FAT on a memory stick): the new file is made under its
        // own name, exclusively, and removed again if the copy fails.
        ok = false;
        if (errno == EPERM || errno == ENOTSUP || errno == EOPNOTSUPP || errno == EMLINK) {
            const int direct =
                open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (direct >= 0) {
                ok = CopyToDescriptor(source, direct);
                if (!ok) unlink(to.c_str());
            }
        }
    }
    unlink(temporary.c_str());
    close(source);
    return ok;
}

}  // namespace platform
