#pragma once

// The POSIX helpers the platform layer shares: the text of an error code, owners of descriptors
// and folder streams, writing a whole buffer, opening a regular file without blocking, and a
// temporary file beside a destination that takes its place only when whole. Private to the
// platform layer.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "os_common.h"

namespace platform::posix {

// The system's description of an errno value.
inline std::string ErrorText(int error) { return std::system_category().message(error); }

struct DescriptorTraits {
    using Handle = int;
    static Handle Invalid() { return -1; }
    static bool Close(Handle fd) { return ::close(fd) == 0; }
};
using FileDescriptor = ScopedHandle<DescriptorTraits>;

struct FolderStreamTraits {
    using Handle = DIR*;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle stream) { return ::closedir(stream) == 0; }
};
using FolderStream = ScopedHandle<FolderStreamTraits>;

// Writes all of `data`, going on after an interruption. Gives 0, or the errno of the failure.
inline int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written >= 0) {
            data.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

// Opens an existing regular file for reading (close-on-exec); invalid when it cannot. `info`
// receives the file's status. The type is checked before the open, so a FIFO or a device is
// never even opened (opening some has side effects), and again on the open descriptor in case
// the path changed in between. The open never blocks and never makes a terminal ours.
inline FileDescriptor OpenRegularFile(const std::string& path, struct stat* info) {
    if (path.empty() || path.find('\0') != std::string::npos) return {};
    if (::stat(path.c_str(), info) != 0 || !S_ISREG(info->st_mode)) return {};
    FileDescriptor fd;
    do {
        fd = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    } while (!fd.valid() && errno == EINTR);
    if (!fd.valid()) return {};
    if (::fstat(fd.get(), info) != 0 || !S_ISREG(info->st_mode)) return {};
    return fd;
}

// A new file beside `destination`, under a short hidden name of its own (so folder listings skip
// it and long names stay within NAME_MAX), written whole and then put in the destination's
// place. It is removed again unless it took that place. It is made with 0666, so that the umask
// (and a folder's default access list) decides its permissions as for any new file.
class TemporaryFileBeside {
  public:
    // Gives an object without a file (valid() false), with the errno in `error`, when none could
    // be made.
    TemporaryFileBeside(const std::string& destination, int& error) {
        thread_local std::mt19937_64 generator{std::random_device{}()};
        const std::size_t slash = destination.rfind('/');
        folder_ = slash == std::string::npos ? "" : destination.substr(0, slash + 1);
        const std::string stem =
            folder_ + "." + destination.substr(folder_.size()).substr(0, 64) + ".";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = stem + std::to_string(generator() % 1000000000ULL) + ".tmp";
            fd_ = FileDescriptor(::open(
                candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (fd_.valid()) {
                path_ = std::move(candidate);
                error = 0;
                return;
            }
            error = errno;
            if (error != EEXIST) return;
        }
    }
    TemporaryFileBeside(const TemporaryFileBeside&) = delete;
    TemporaryFileBeside& operator=(const TemporaryFileBeside&) = delete;
    ~TemporaryFileBeside() {
        fd_.Close();
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }

    // Flushes what was written to the disk and closes the file. Gives 0 or the errno.
    int Finish() {
        const int syncError = ::fsync(fd_.get()) == 0 ? 0 : errno;
        if (!fd_.Close() && syncError == 0) return errno;
        return syncError;
    }

    // Renames the finished file over `destination`, whatever stands there, then makes the
    // rename itself survive a power cut. Gives 0 or the errno of the rename.
    int Replace(const std::string& destination) {
        if (::rename(path_.c_str(), destination.c_str()) != 0) return errno;
        path_.clear();
        // A failure here leaves a good file either way.
        const FileDescriptor folder(
            ::open(folder_.empty() ? "." : folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) ::fsync(folder.get());
        return 0;
    }

    // Links the finished file in under `destination`, which fails if anything, even a link that
    // leads nowhere, stands there. Gives 0 or the errno of the link.
    int PlaceAsNew(const std::string& destination) {
        return ::link(path_.c_str(), destination.c_str()) == 0 ? 0 : errno;
    }

  private:
    FileDescriptor fd_;
    std::string folder_;  // the destination's folder with its '/', or empty for the current one
    std::string path_;
};

}  // namespace platform::posix
