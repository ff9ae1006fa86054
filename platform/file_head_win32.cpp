#include <windows.h>

#include <string>

#include "file_head.h"
#include "os_win32.h"
#include "text_win32.h"

namespace platform {
namespace {

FileStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    const std::uint64_t length =
        (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const std::uint64_t written =
        (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
        info.ftLastWriteTime.dwLowDateTime;
    return {length, static_cast<std::int64_t>(written)};
}

// Opens an existing disk file and says what stands at the path: a folder fails to open, and a
// device name such as "CON" is closed again at once.
win32::FileHandle OpenWithStatus(const std::string& path, DWORD access, HeadStatus* status) {
    *status = HeadStatus::kMissing;
    const std::optional<std::wstring> wide = path.empty() ? std::nullopt : win32::Widen(path);
    if (!wide) return {};
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            *status = HeadStatus::kUnreadable;
        }
        return {};
    }
    *status = HeadStatus::kNotAFile;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
    bool notOnDisk = false;
    win32::FileHandle file = win32::OpenDiskFile(path, access, &notOnDisk);
    if (file.valid()) {
        *status = HeadStatus::kRead;
    } else if (!notOnDisk) {
        *status = HeadStatus::kUnreadable;
    }
    return file;
}

}  // namespace

FileHead ReadFileHead(const std::string& path, std::size_t limit) {
    FileHead head;
    const win32::FileHandle file = OpenWithStatus(path, GENERIC_READ, &head.status);
    if (!file.valid()) return head;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file.get(), &info) == 0) {
        head.status = HeadStatus::kUnreadable;
        return head;
    }
    head.stamp = StampFrom(info);
    head.bytes.resize(
        static_cast<std::size_t>(head.stamp.length < limit ? head.stamp.length : limit));
    std::size_t got = 0;
    while (got < head.bytes.size()) {
        const std::size_t rest = head.bytes.size() - got;
        const DWORD ask = rest > (1u << 30) ? (1u << 30) : static_cast<DWORD>(rest);
        DWORD part = 0;
        if (ReadFile(file.get(), head.bytes.data() + got, ask, &part, nullptr) == 0) {
            head.bytes.clear();
            head.status = HeadStatus::kUnreadable;
            return head;
        }
        if (part == 0) break;  // shortened while we read
        got += part;
    }
    head.bytes.resize(got);
    return head;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    HeadStatus status;
    const win32::FileHandle file = OpenWithStatus(path, FILE_READ_ATTRIBUTES, &status);
    if (!file.valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(file.get(), &info) != 0;
    if (!known) return std::nullopt;
    return StampFrom(info);
}

}  // namespace platform
