#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "file_ops.h"
#include "os_win32.h"
#include "text_win32.h"

namespace platform {
namespace {

constexpr std::intptr_t kNoHandle = -1;  // INVALID_HANDLE_VALUE

// The volume and index that tell a file or folder from every other, through links.
std::optional<BY_HANDLE_FILE_INFORMATION> IdentityOf(const std::string& path) {
    const std::optional<std::wstring> wide = path.empty() ? std::nullopt : win32::Widen(path);
    if (!wide) return std::nullopt;
    // Without access to the content, and with the flag that lets a folder be opened.
    const win32::FileHandle entry(CreateFileW(wide->c_str(), 0, win32::kShareAll, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!entry.valid() || GetFileType(entry.get()) != FILE_TYPE_DISK ||
        GetFileInformationByHandle(entry.get(), &info) == 0) {
        return std::nullopt;
    }
    return info;
}

// A failed copy: the side at fault, `path`, and why, in the system's words for `error`; without
// an error, what stands at `path` is not a file on a disk.
CopyResult CopyFailed(CopyFault fault, const std::string& path, DWORD error) {
    const char* doing = fault == CopyFault::kSourceUnreadable ? "read" : "make";
    return {fault,
            FailureText(Cannot(doing, path),
                        error != ERROR_SUCCESS ? win32::ErrorText(error) : "not a file on a disk")};
}

}  // namespace

std::optional<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path) {
    win32::FileHandle file = win32::OpenDiskFile(path, GENERIC_READ);
    if (!file.valid()) return std::nullopt;
    return ReadOnlyFile(reinterpret_cast<std::intptr_t>(file.Release()));
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kNoHandle);
    }
    return *this;
}

ReadOnlyFile::~ReadOnlyFile() { Close(); }

void ReadOnlyFile::Close() {
    if (handle_ != kNoHandle) {
        CloseHandle(reinterpret_cast<HANDLE>(std::exchange(handle_, kNoHandle)));
    }
}

// Asks for the attributes only, which a program that holds the file locked cannot deny.
std::optional<std::uint64_t> FileLength(const std::string& path) {
    const win32::FileHandle file = win32::OpenDiskFile(path, FILE_READ_ATTRIBUTES);
    if (!file.valid()) return std::nullopt;
    LARGE_INTEGER size;
    const bool known = GetFileSizeEx(file.get(), &size) != 0;
    if (!known || size.QuadPart < 0) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
}

// DeleteFileW refuses folders by itself.
bool DeleteFileAt(const std::string& path) {
    if (path.empty()) return false;
    const std::optional<std::wstring> wide = win32::Widen(path);
    return wide && DeleteFileW(wide->c_str()) != 0;
}

bool MoveToNewName(const std::string& from, const std::string& to, std::string* reason) {
    const std::optional<std::wstring> wideFrom = from.empty() ? std::nullopt : win32::Widen(from);
    const std::optional<std::wstring> wideTo = to.empty() ? std::nullopt : win32::Widen(to);
    const std::string what = Cannot("move", from + " to " + to);
    if (!wideFrom || !wideTo) return Fail(reason, what, win32::ErrorText(ERROR_INVALID_NAME));
    // Without MOVEFILE_REPLACE_EXISTING, a name that is taken makes the move fail.
    if (MoveFileExW(wideFrom->c_str(), wideTo->c_str(), 0) == 0) {
        return Fail(reason, what, win32::ErrorText(GetLastError()));
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view content, std::string* reason) {
    const std::string what = Cannot("write", path);
    const std::optional<std::wstring> wide = path.empty() ? std::nullopt : win32::Widen(path);
    if (!wide) return Fail(reason, what, win32::ErrorText(ERROR_INVALID_NAME));
    win32::TemporaryFileBeside temporary(*wide, L"qcv");
    if (!temporary.valid() || !temporary.Write(content) || !temporary.Replace(*wide)) {
        return Fail(reason, what, win32::ErrorText(GetLastError()));
    }
    return true;
}

bool SameEntry(const std::string& first, const std::string& second) {
    const std::optional<BY_HANDLE_FILE_INFORMATION> one = IdentityOf(first);
    const std::optional<BY_HANDLE_FILE_INFORMATION> other = IdentityOf(second);
    return one && other && one->dwVolumeSerialNumber == other->dwVolumeSerialNumber &&
           one->nFileIndexHigh == other->nFileIndexHigh &&
           one->nFileIndexLow == other->nFileIndexLow;
}

// The attributes can be read even of a file that another program holds locked.
EntryKind EntryAt(const std::string& path) {
    if (path.empty()) return EntryKind::kNothing;
    const std::optional<std::wstring> wide = win32::Widen(path);
    if (!wide) return EntryKind::kNothing;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryKind::kNothing
                                                                              : EntryKind::kOther;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryKind::kFile;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EntryKind::kFolder;
    return EntryKind::kFile;
}

CopyResult CopyToNewFile(const std::string& from, const std::string& to) {
    bool notOnDisk = false;
    if (!win32::OpenDiskFile(from, GENERIC_READ, &notOnDisk).valid()) {
        return CopyFailed(CopyFault::kSourceUnreadable, from,
                          notOnDisk ? ERROR_SUCCESS : GetLastError());
    }
    const std::optional<std::wstring> source = win32::Widen(from);
    const std::optional<std::wstring> target = win32::Widen(to);
    if (!source || !target || to.empty()) {
        return CopyFailed(CopyFault::kDestinationNotMade, to, ERROR_INVALID_NAME);
    }

    // Copied under a temporary name beside the destination and moved into place only when
    // complete, without replacing anything: a copy that fails part way (a full disk) leaves no
    // partial file, and whatever has come to stand at the destination stays.
    win32::TemporaryFileBeside temporary(*target, L"qcp");
    bool ok = temporary.valid() && CopyFileW(source->c_str(), temporary.path(), FALSE) != 0;
    // The copy carries the source's attributes; a new file of the user is never read-only.
    const DWORD attributes = ok ? GetFileAttributesW(temporary.path()) : INVALID_FILE_ATTRIBUTES;
    ok = ok && attributes != INVALID_FILE_ATTRIBUTES &&
         SetFileAttributesW(temporary.path(),
                            attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) != 0;
    ok = ok && temporary.PlaceAsNew(*target);
    if (!ok) return CopyFailed(CopyFault::kDestinationNotMade, to, GetLastError());
    return {};
}

}  // namespace platform
