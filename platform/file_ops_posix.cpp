#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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

// The rename that puts the copy in place would replace anything at all, although the folder
// alone grants it. Only what a copy may overwrite on Windows is replaced: a writable file.
bool MayBeReplaced(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode) && access(path.c_str(), W_OK) == 0;
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

bool CopyFileTo(const std::string& from, const std::string& to) {
    if (!IsUsablePath(to) || !MayBeReplaced(to)) return false;
    struct stat info;
    const int source = posix::OpenRegularFile(from, &info);
    if (source < 0) return false;

    // The copy is made under a hidden temporary name beside its destination and renamed into
    // place only when complete, so a failure never leaves a partial file under the real name.
    std::string temporary = FolderOf(to) + "/.quill-copy-XXXXXX";
    const int target = mkostemp(temporary.data(), O_CLOEXEC);
    if (target < 0) {
        close(source);
        return false;
    }
    bool ok = CopyContent(source, target);
    ok = ok && fchmod(target, info.st_mode & 0777) == 0;
    ok = ok && fsync(target) == 0;
    ok = (close(target) == 0) && ok;
    close(source);
    ok = ok && rename(temporary.c_str(), to.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

}  // namespace platform
