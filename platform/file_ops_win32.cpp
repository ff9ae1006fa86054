#include <windows.h>

#include <string>
#include <utility>

#include "file_ops.h"
#include "text_win32.h"

namespace platform {
namespace {

constexpr std::intptr_t kNoHandle = -1;  // INVALID_HANDLE_VALUE

// Other programs may go on reading, writing or even deleting the file while we look at it.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens an existing file, never a folder. A device name such as "CON" or "COM1" opens the device
// rather than a file, so anything that is not a disk file is closed again at once.
HANDLE OpenDiskFile(const std::string& path, DWORD access) {
    if (path.empty()) return INVALID_HANDLE_VALUE;
    const std::optional<std::wstring> wide = win32::Widen(path);
    if (!wide) return INVALID_HANDLE_VALUE;
    const HANDLE file = CreateFileW(wide->c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// Only what a copy may overwrite is replaced: nothing, or a file that is not read-only. The move
// that puts the copy in place would replace a read-only file too.
bool MayBeReplaced(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

}  // namespace

std::optional<ReadOnlyFile> ReadOnlyFile::Open(const std::string& path) {
    const HANDLE file = OpenDiskFile(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    return ReadOnlyFile(reinterpret_cast<std::intptr_t>(file));
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
    const HANDLE file = OpenDiskFile(path, FILE_READ_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size;
    const bool known = GetFileSizeEx(file, &size) != 0;
    CloseHandle(file);
    if (!known || size.QuadPart < 0) return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
}

// DeleteFileW refuses folders by itself.
bool DeleteFileAt(const std::string& path) {
    if (path.empty()) return false;
    const std::optional<std::wstring> wide = win32::Widen(path);
    return wide && DeleteFileW(wide->c_str()) != 0;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return false;
    const std::optional<std::wstring> source = win32::Widen(from);
    const std::optional<std::wstring> target = win32::Widen(to);
    if (!source || !target || !MayBeReplaced(*target)) return false;

    // Copied under a temporary name beside the destination and moved into place only when
    // complete: a copy that fails part way (a full disk) then neither leaves a partial file nor
    // destroys the file it was to replace.
    const std::size_t last = target->find_last_of(L"\\/");
    const std::wstring folder = last == std::wstring::npos ? L"." : target->substr(0, last + 1);
    wchar_t temporary[MAX_PATH];
    if (GetTempFileNameW(folder.c_str(), L"qcp", 0, temporary) == 0) return false;
    if (CopyFileW(source->c_str(), temporary, FALSE) != 0 &&
        MoveFileExW(temporary, target->c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    // The copy may already carry the source's read-only flag, which would keep it from going.
    SetFileAttributesW(temporary, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary);
    return false;
}

}  // namespace platform
