// The profile file on Windows: the system's own profile functions, given UTF-16 text.
//
// Those functions write a new file in the ANSI code page, which files of earlier releases of
// the program also use, and keep a file in UTF-16 when it already starts with a UTF-16
// byte-order mark. A name or value that the ANSI code page cannot hold would reach an ANSI file
// as "?" and be lost; only then is the file turned into UTF-16 first.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os_win32.h"
#include "profile.h"
#include "profile_format.h"
#include "text_win32.h"

namespace platform {
namespace {

namespace fmt = profile_format;

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
// Two private-use characters: no path holds them, and an ANSI file cannot.
constexpr const wchar_t* kAbsent = L"\uE000\uE001";
// Far beyond any path; a longer value comes back cut rather than exhausting memory.
constexpr DWORD kLongestValue = 1u << 24;

// The functions look for a bare file name in the Windows folder; we mean the current folder.
std::wstring FullPath(const std::wstring& file) {
    const DWORD needed = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return file;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(file.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return file;
    full.resize(length);
    return full;
}

// True when the text survives the trip to the ANSI code page and back unchanged; a character
// replaced by "?" or by a look-alike ("best fit") does not.
bool FitsAnsiCodePage(const std::wstring& text) {
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return false;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    const int backLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring back(static_cast<std::size_t>(backLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, back.data(), backLength);
    return back == text;
}

bool ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) == 0 || size.QuadPart > (1ll << 30)) return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 20));
        if (ReadFile(file, bytes.data() + filled, chunk, &got, nullptr) == 0) return false;
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

// The whole text of a file in ANSI (or, after a UTF-8 byte-order mark, UTF-8) as UTF-16 with its
// byte-order mark, as the profile functions read it.
std::string AsUtf16File(std::string_view bytes) {
    UINT codePage = CP_ACP;
    if (bytes.substr(0, fmt::kUtf8Bom.size()) == fmt::kUtf8Bom) {
        bytes.remove_prefix(fmt::kUtf8Bom.size());
        codePage = CP_UTF8;
    }
    std::wstring text;
    if (!bytes.empty()) {
        const int size = static_cast<int>(bytes.size());
        const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
        text.resize(static_cast<std::size_t>(length));
        MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
    }
    std::string result(kUtf16LeBom);
    result.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return result;
}

// Fails with the system's reason, `code` or else that of the call just made, for `doing` `file`.
bool SystemFailure(std::string* error, const char* doing, const std::wstring& file,
                   DWORD code = GetLastError()) {
    return Fail(error, Cannot(doing, win32::Narrow(file)), win32::ErrorText(code));
}

// Makes sure the file is in UTF-16, so that the profile functions store any text: a missing
// file is made holding just the byte-order mark, an ANSI one is rewritten whole, safely, under a
// temporary name that then takes its place.
bool MakeUnicodeFile(const std::wstring& file, std::string* error) {
    {
        const win32::FileHandle created(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr,
                                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (created.valid()) {
            if (win32::WriteAll(created.get(), kUtf16LeBom)) return true;
            const DWORD code = GetLastError();
            DeleteFileW(file.c_str());
            return SystemFailure(error, "write", file, code);
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return SystemFailure(error, "create", file);
    }

    std::string bytes;
    {
        const win32::FileHandle existing(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                     nullptr));
        if (!existing.valid()) return SystemFailure(error, "read", file);
        if (!ReadAll(existing.get(), bytes)) return SystemFailure(error, "read", file);
    }
    // Already UTF-16 (either byte order): the functions keep it so.
    if (bytes.substr(0, 2) == kUtf16LeBom || bytes.substr(0, 2) == "\xFE\xFF") return true;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Fail(error, Cannot("write", win32::Narrow(file)), "it is read-only");
    }

    win32::TemporaryFileBeside temporary(file, L"qini");
    if (!temporary.valid()) return SystemFailure(error, "make a file beside", file);
    if (temporary.Write(AsUtf16File(bytes)) && temporary.Replace(file)) return true;
    return SystemFailure(error, "rewrite", file);
}

std::wstring ReadWide(const std::wstring& section, const std::wstring& key,
                      const std::wstring& defaultValue, const std::wstring& file) {
    std::vector<wchar_t> buffer(256);
    while (true) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringW(
            section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(), size, file.c_str());
        // A value that filled the buffer may have been cut: read it again with room to spare.
        if (length + 1 < size || size >= kLongestValue) {
            return std::wstring(buffer.data(), std::min(length, size - 1));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& file) {
    const std::optional<std::wstring> wideSection = win32::Widen(section);
    const std::optional<std::wstring> wideKey = win32::Widen(key);
    const std::optional<std::wstring> wideFile = win32::Widen(file);
    if (!wideSection || !wideKey || !wideFile || file.empty()) {
        return defaultValue;
    }
    // The functions trim and unquote a default as if it were a stored value. A default that no
    // file can hold tells a missing key apart, and the caller's own default is then given as is.
    const std::wstring value = ReadWide(*wideSection, *wideKey, kAbsent, FullPath(*wideFile));
    return value == kAbsent ? defaultValue : win32::Narrow(value);
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file, std::string* error) {
    if (const std::string problem =
            fmt::EntryProblem(fmt::TrimBlanks(section), fmt::TrimBlanks(key), value);
        !problem.empty()) {
        return Fail(error, Cannot("store the value in", file), problem);
    }
    const std::optional<std::wstring> wideSection = win32::Widen(section);
    const std::optional<std::wstring> wideKey = win32::Widen(key);
    const std::optional<std::wstring> wideValue = win32::Widen(value);
    const std::optional<std::wstring> wideFile = win32::Widen(file);
    if (!wideSection || !wideKey || !wideValue) {
        return Fail(error, Cannot("store the value in", file), "it is not valid UTF-8 text");
    }
    if (!wideFile || file.empty()) return Fail(error, Cannot("write", file), "it names no file");
    const std::wstring path = FullPath(*wideFile);

    const bool needsUnicode = !FitsAnsiCodePage(*wideSection) || !FitsAnsiCodePage(*wideKey) ||
                              !FitsAnsiCodePage(*wideValue);
    if (needsUnicode && !MakeUnicodeFile(path, error)) return false;

    if (WritePrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), wideValue->c_str(),
                                   path.c_str()) == 0) {
        return SystemFailure(error, "write", path);
    }
    if (needsUnicode) {
        // Whether the file really took the text is only known by reading it back.
        const std::wstring stored = ReadWide(*wideSection, *wideKey, L"", path);
        if (win32::Narrow(stored) != fmt::StoredValue(value)) {
            return Fail(error, Cannot("write", file),
                        "the system did not store the text unchanged");
        }
    }
    return true;
}

}  // namespace platform
