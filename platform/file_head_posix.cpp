#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "file_head.h"
#include "os_posix.h"

namespace platform {
namespace {

FileStamp StampFrom(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

}  // namespace

FileHead ReadFileHead(const std::string& path, std::size_t limit) {
    FileHead head;
    struct stat info;
    if (path.empty() || path.find('\0') != std::string::npos || stat(path.c_str(), &info) != 0) {
        head.status = (errno == ENOENT || errno == ENOTDIR || path.empty())
                          ? HeadStatus::kMissing
                          : HeadStatus::kUnreadable;
        return head;
    }
    if (!S_ISREG(info.st_mode)) {
        head.status = HeadStatus::kNotAFile;
        return head;
    }
    const posix::FileDescriptor fd = posix::OpenRegularFile(path, &info);
    if (!fd.valid()) {
        head.status = HeadStatus::kUnreadable;
        return head;
    }
    head.stamp = StampFrom(info);
    const std::uint64_t wanted = info.st_size < 0 ? 0 : static_cast<std::uint64_t>(info.st_size);
    head.bytes.resize(static_cast<std::size_t>(wanted < limit ? wanted : limit));
    std::size_t got = 0;
    while (got < head.bytes.size()) {
        const ssize_t part = read(fd.get(), head.bytes.data() + got, head.bytes.size() - got);
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) {
            head.bytes.clear();
            head.status = HeadStatus::kUnreadable;
            return head;
        }
        if (part == 0) break;  // shortened while we read
        got += static_cast<std::size_t>(part);
    }
    head.bytes.resize(got);
    head.status = HeadStatus::kRead;
    return head;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info;
    if (path.empty() || path.find('\0') != std::string::npos || stat(path.c_str(), &info) != 0 ||
        !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return StampFrom(info);
}

}  // namespace platform
