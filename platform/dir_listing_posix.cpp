#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "ascii_case.h"
#include "dir_listing.h"
#include "os_posix.h"
#include "wildcard.h"

namespace platform {
namespace {

constexpr char kSeparator = '/';

struct SplitPattern {
    std::string folder;  // never empty: "." for a bare name, "/" for the root
    std::string name;    // the last component; empty when the pattern ends in a separator
};

SplitPattern Split(const std::string& pattern) {
    const std::size_t last = pattern.rfind(kSeparator);
    if (last == std::string::npos) return {".", pattern};
    return {last == 0 ? std::string(1, kSeparator) : pattern.substr(0, last),
            pattern.substr(last + 1)};
}

// The last name of a path, a trailing separator passed over.
std::string LastComponent(std::string path) {
    while (path.size() > 1 && path.back() == kSeparator) path.pop_back();
    const std::size_t last = path.rfind(kSeparator);
    return last == std::string::npos ? path : path.substr(last + 1);
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// Dot-names are this system's hidden entries, and "." and ".." are among them.
bool IsHiddenName(const std::string& name) { return !name.empty() && name[0] == '.'; }

bool IsListable(mode_t mode, ListMask mask) {
    if (S_ISREG(mode)) return true;
    return mask == ListMask::kOrdinaryFilesAndFolders && S_ISDIR(mode);
}

// Faults that only mean "nothing there": the listing answers them with no names, as Windows
// answers a missing or unreadable path. Anything else is a name the system rejects outright.
bool MeansNothingThere(int error) {
    return error == ENOENT || error == ENOTDIR || error == EACCES || error == EPERM;
}

using Names = std::vector<std::string>;

// NTFS order: each name upper-cased (ASCII only) and compared by code; names that differ only
// in case, which this system allows side by side, keep a fixed order by their bytes. Each name
// is folded once, not at every comparison, since a large book sorts thousands of names, and the
// sort moves the names' places rather than the names themselves.
void SortInNtfsOrder(std::vector<std::string>& names) {
    std::vector<std::string> folded(names);
    for (std::string& name : folded) {
        for (char& c : name) c = AsciiUpper(c);
    }
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byFolded = folded[a].compare(folded[b]);
        return byFolded != 0 ? byFolded < 0 : names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::size_t i : order) sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

bool EntryIsListable(DIR* folder, const dirent& entry, ListMask mask) {
    switch (entry.d_type) {
        case DT_REG:
            return true;
        case DT_DIR:
            return mask == ListMask::kOrdinaryFilesAndFolders;
        case DT_LNK:
        case DT_UNKNOWN: {
            // Follow the link; a dangling link or a link loop is passed over.
            struct stat info;
            if (fstatat(dirfd(folder), entry.d_name, &info, 0) != 0) return false;
            return IsListable(info.st_mode, mask);
        }
        default:
            return false;
    }
}

// Reads `folder` once and gives, for each of `namePatterns`, the listable names that match it,
// in NTFS order.
std::vector<std::vector<std::string>> ScanFolder(const std::string& folder,
                                                 const std::vector<std::string>& namePatterns,
                                                 ListMask mask, std::string* error) {
    std::vector<std::vector<std::string>> found(namePatterns.size());
    const posix::FolderStream stream(opendir(folder.c_str()));
    if (!stream.valid()) {
        const int fault = errno;
        if (!MeansNothingThere(fault)) Fail(error, "", posix::ErrorText(fault));
        return found;
    }
    while (true) {
        errno = 0;
        const dirent* entry = readdir(stream.get());
        if (entry == nullptr) break;
        const std::string name = entry->d_name;
        if (IsHiddenName(name)) continue;
        enum { kUnknown, kListable, kNotListable } kind = kUnknown;
        for (std::size_t i = 0; i < namePatterns.size(); ++i) {
            if (!WildcardMatch(namePatterns[i], name)) continue;
            if (kind == kUnknown) {
                kind = EntryIsListable(stream.get(), *entry, mask) ? kListable : kNotListable;
            }
            if (kind == kListable) found[i].push_back(name);
        }
    }
    const int readFault = errno;
    if (readFault != 0) {
        Fail(error, "", posix::ErrorText(readFault));
        return std::vector<std::vector<std::string>>(namePatterns.size());
    }
    for (std::vector<std::string>& names : found) SortInNtfsOrder(names);
    return found;
}

}  // namespace

std::vector<std::string> FindFiles(const std::string& pattern, ListMask mask, std::string* error) {
    if (error != nullptr) error->clear();
    if (pattern.empty()) return {};
    if (pattern.find('\0') != std::string::npos)
        return Fail<Names>(error, "", posix::ErrorText(EINVAL));

    const SplitPattern parts = Split(pattern);
    struct stat info;

    if (parts.name.empty()) {
        // The folder itself, as its own "." entry.
        if (stat(pattern.c_str(), &info) != 0) {
            const int fault = errno;
            return MeansNothingThere(fault) ? Names{}
                                            : Fail<Names>(error, "", posix::ErrorText(fault));
        }
        if (S_ISDIR(info.st_mode) && mask == ListMask::kOrdinaryFilesAndFolders) return {"."};
        return {};
    }

    if (stat(parts.folder.c_str(), &info) != 0) {
        const int fault = errno;
        return MeansNothingThere(fault) ? Names{} : Fail<Names>(error, "", posix::ErrorText(fault));
    }
    if (!S_ISDIR(info.st_mode) || IsHiddenName(parts.name)) return {};

    if (!HasWildcard(parts.name)) {
        // One exact name: a single stat answers it without reading a folder that may be large.
        // Only when it is missing can a name differing in case still match.
        if (stat(pattern.c_str(), &info) == 0) {
            if (IsListable(info.st_mode, mask)) return {parts.name};
            return {};
        }
        const int fault = errno;
        if (fault == ENAMETOOLONG) return Fail<Names>(error, "", posix::ErrorText(fault));
        if (fault != ENOENT) return {};
    }
    return std::move(ScanFolder(parts.folder, {parts.name}, mask, error).front());
}

std::vector<std::vector<std::string>> FindFilesByPatterns(
    const std::string& folder, const std::vector<std::string>& namePatterns, ListMask mask,
    std::string* error) {
    if (error != nullptr) error->clear();
    std::vector<std::vector<std::string>> found(namePatterns.size());
    std::vector<std::string> faults(namePatterns.size());

    // One read answers every wildcard pattern of a plain name in a named folder; any other
    // pattern (an exact name, a hidden one, one holding a separator) takes FindFiles' own way.
    const bool folderReadable = !folder.empty() && folder.find('\0') == std::string::npos;
    std::vector<std::string> scanned;
    std::vector<std::size_t> scannedAt;
    for (std::size_t i = 0; i < namePatterns.size(); ++i) {
        const std::string& pattern = namePatterns[i];
        if (folderReadable && HasWildcard(pattern) && !IsHiddenName(pattern) &&
            pattern.find_first_of(std::string_view("/\0", 2)) == std::string::npos) {
            scanned.push_back(pattern);
            scannedAt.push_back(i);
        } else {
            found[i] = FindFiles(folder + kSeparator + pattern, mask, &faults[i]);
        }
    }
    if (!scanned.empty()) {
        std::string fault;
        struct stat info;
        if (stat(folder.c_str(), &info) != 0) {
            const int statFault = errno;
            if (!MeansNothingThere(statFault)) Fail(&fault, "", posix::ErrorText(statFault));
        } else if (S_ISDIR(info.st_mode)) {
            std::vector<std::vector<std::string>> lists = ScanFolder(folder, scanned, mask, &fault);
            for (std::size_t j = 0; j < scanned.size(); ++j)
                found[scannedAt[j]] = std::move(lists[j]);
        }
        for (std::size_t at : scannedAt) faults[at] = fault;
    }
    if (error != nullptr) {
        for (const std::string& fault : faults) {
            if (!fault.empty()) {
                *error = fault;
                break;
            }
        }
    }
    return found;
}

unsigned GetAttributes(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return kInvalidAttributes;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return kInvalidAttributes;

    unsigned attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes = kAttrDirectory;
    } else if (S_ISREG(info.st_mode)) {
        attributes = kAttrArchive;
    } else {
        // FIFOs, devices and sockets have no Windows counterpart; like system files, they are
        // never listed.
        attributes = kAttrSystem;
    }
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttrReadOnly;

    const std::string name = LastComponent(path);
    if (IsHiddenName(name) && name != "." && name != "..") attributes |= kAttrHidden;
    return attributes;
}

}  // namespace platform
