#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dir_listing.h"
#include "os_win32.h"
#include "text_win32.h"
#include "wildcard.h"

namespace platform {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The last component of a pattern, where the wildcards may stand.
std::wstring LastComponent(const std::wstring& pattern) {
    const std::size_t last = pattern.find_last_of(L"\\/");
    return last == std::wstring::npos ? pattern : pattern.substr(last + 1);
}

// The file system also treats "<", ">" and '"' as wildcards of the old DOS kind.
bool HasWildcard(const std::wstring& name) {
    return name.find_first_of(L"*?<>\"") != std::wstring::npos;
}

bool IsListable(DWORD attributes, ListMask mask) {
    if ((attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) return false;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return mask == ListMask::kOrdinaryFilesAndFolders;
    }
    return true;
}

// Faults that only mean "nothing there", as opposed to a name the system rejects outright.
bool MeansNothingThere(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_NO_MORE_FILES || error == ERROR_ACCESS_DENIED || error == ERROR_DIRECTORY;
}

using Names = std::vector<std::string>;

// NTFS's own order, so that other file systems (FAT, network drives) list the same way; names
// that differ only in case, which some of them allow side by side, keep a fixed order.
bool ComesBefore(const std::wstring& a, const std::wstring& b) {
    const int folded = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                            static_cast<int>(b.size()), TRUE);
    if (folded != CSTR_EQUAL) return folded == CSTR_LESS_THAN;
    return a < b;
}

}  // namespace

std::vector<std::string> FindFiles(const std::string& pattern, ListMask mask, std::string* error) {
    if (error != nullptr) error->clear();
    if (pattern.empty()) return {};
    const std::optional<std::wstring> wide = win32::Widen(pattern);
    if (!wide) return Fail<Names>(error, "", win32::ErrorText(ERROR_INVALID_NAME));

    if (IsSeparator(wide->back())) {
        // The folder itself, as its own "." entry; the system would refuse the pattern.
        const DWORD attributes = GetFileAttributesW(wide->c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD fault = GetLastError();
            return MeansNothingThere(fault) ? Names{}
                                            : Fail<Names>(error, "", win32::ErrorText(fault));
        }
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            mask == ListMask::kOrdinaryFilesAndFolders) {
            return {"."};
        }
        return {};
    }

    // The file system matches wildcards against the short 8.3 names too, so "*.kif" would also
    // find "p012.kifu" (short name P012~1.KIF); only the long names are checked again below.
    const std::wstring namePattern = LastComponent(*wide);
    const bool recheck = HasWildcard(namePattern);
    const std::string namePatternUtf8 = win32::Narrow(namePattern);

    WIN32_FIND_DATAW found;
    const win32::FindHandle search(FindFirstFileExW(wide->c_str(), FindExInfoBasic, &found,
                                                    FindExSearchNameMatch, nullptr, 0));
    if (!search.valid()) {
        const DWORD fault = GetLastError();
        return MeansNothingThere(fault) ? Names{} : Fail<Names>(error, "", win32::ErrorText(fault));
    }

    std::vector<std::wstring> names;
    do {
        const std::wstring name = found.cFileName;
        // "." and ".." are the folder and its parent, not entries of it.
        if (name == L"." || name == L"..") continue;
        if (!IsListable(found.dwFileAttributes, mask)) continue;
        if (recheck && !WildcardMatch(namePatternUtf8, win32::Narrow(name))) continue;
        names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    const DWORD endReason = GetLastError();
    if (endReason != ERROR_NO_MORE_FILES)
        return Fail<Names>(error, "", win32::ErrorText(endReason));

    std::sort(names.begin(), names.end(), ComesBefore);
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const std::wstring& name : names) result.push_back(win32::Narrow(name));
    return result;
}

// The system lists by one pattern at a time, so each pattern is its own lookup here.
std::vector<std::vector<std::string>> FindFilesByPatterns(
    const std::string& folder, const std::vector<std::string>& namePatterns, ListMask mask,
    std::string* error) {
    if (error != nullptr) error->clear();
    std::vector<std::vector<std::string>> found;
    found.reserve(namePatterns.size());
    for (const std::string& pattern : namePatterns) {
        std::string fault;
        found.push_back(FindFiles(folder + "\\" + pattern, mask, &fault));
        if (error != nullptr && error->empty()) *error = fault;
    }
    return found;
}

unsigned GetAttributes(const std::string& path) {
    if (path.empty()) return kInvalidAttributes;
    const std::optional<std::wstring> wide = win32::Widen(path);
    if (!wide) return kInvalidAttributes;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return kInvalidAttributes;
    // Only the flags the program knows; a file left with none of them is a normal one.
    const unsigned known =
        static_cast<unsigned>(attributes) &
        (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory | kAttrArchive | kAttrNormal);
    return known != 0 ? known : kAttrNormal;
}

}  // namespace platform
