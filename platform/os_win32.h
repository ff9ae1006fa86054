#pragma once

// The Windows helpers the platform layer shares: the text of an error code, owners of file and
// search handles, opening a file on a disk, writing a whole buffer, and a temporary file beside a
// destination that takes its place only when whole. Private to the platform layer.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "os_common.h"
#include "text_win32.h"

namespace platform::win32 {

// The system's own description of an error code (as GetLastError gives it), without its
// trailing line break.
inline std::string ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) return "Windows error " + std::to_string(error);
    return Narrow(text);
}

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) { return CloseHandle(handle) != 0; }
};
using FileHandle = ScopedHandle<FileHandleTraits>;

// Other programs may go on reading, writing or even deleting a file while we look at it.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens an existing file for `access`, never a folder. A device name such as "CON" or "COM1"
// opens the device rather than a file, so anything that is not a file on a disk is closed again
// at once, and `notOnDisk`, when given, says so; for any other failure GetLastError says why.
inline FileHandle OpenDiskFile(const std::string& path, DWORD access, bool* notOnDisk = nullptr) {
    if (notOnDisk != nullptr) *notOnDisk = false;
    const std::optional<std::wstring> wide = path.empty() ? std::nullopt : Widen(path);
    if (!wide) {
        SetLastError(ERROR_INVALID_NAME);
        return {};
    }
    FileHandle file(CreateFileW(wide->c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid() && GetFileType(file.get()) != FILE_TYPE_DISK) {
        if (notOnDisk != nullptr) *notOnDisk = true;
        return {};
    }
    return file;
}

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) { return FindClose(handle) != 0; }
};
using FindHandle = ScopedHandle<FindHandleTraits>;

// Writes all of `bytes`. False when the system would not take them (GetLastError says why).
inline bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (WriteFile(file, bytes.data(), chunk, &written, nullptr) == 0 || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// A new, empty file that the system makes beside `destination` under a name of its own (starting
// with `prefix`, at most three letters), filled and then moved into the destination's place. It
// is removed again unless it took that place. Where a step fails, GetLastError says why until
// the object goes.
class TemporaryFileBeside {
  public:
    TemporaryFileBeside(const std::wstring& destination, const wchar_t* prefix) {
        const std::size_t last = destination.find_last_of(L"\\/");
        const std::wstring folder =
            last == std::wstring::npos ? L"." : destination.substr(0, last + 1);
        made_ = GetTempFileNameW(folder.c_str(), prefix, 0, path_) != 0;
    }
    TemporaryFileBeside(const TemporaryFileBeside&) = delete;
    TemporaryFileBeside& operator=(const TemporaryFileBeside&) = delete;
    ~TemporaryFileBeside() {
        if (!made_) return;
        // A copy may carry the read-only attribute, which would keep it from being deleted.
        SetFileAttributesW(path_, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path_);
    }

    bool valid() const { return made_; }
    const wchar_t* path() const { return path_; }

    // Writes `bytes` as the file's whole content and flushes them to the disk.
    bool Write(std::string_view bytes) {
        const FileHandle out(CreateFileW(path_, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        return out.valid() && WriteAll(out.get(), bytes) && FlushFileBuffers(out.get()) != 0;
    }

    // Moves the file over `destination`, whatever file stands there.
    bool Replace(const std::wstring& destination) {
        return MoveTo(destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }

    // Moves the file to `destination`, which fails if anything stands there.
    bool PlaceAsNew(const std::wstring& destination) {
        return MoveTo(destination, MOVEFILE_WRITE_THROUGH);
    }

  private:
    bool MoveTo(const std::wstring& destination, DWORD flags) {
        if (MoveFileExW(path_, destination.c_str(), flags) == 0) return false;
        made_ = false;
        return true;
    }

    wchar_t path_[MAX_PATH] = {};
    bool made_ = false;
};

}  // namespace platform::win32
