#pragma once

#include <string>
#include <vector>

namespace platform {

// Attribute flags, with the values Windows gives them.
inline constexpr unsigned kAttrReadOnly = 0x01;
inline constexpr unsigned kAttrHidden = 0x02;
inline constexpr unsigned kAttrSystem = 0x04;
inline constexpr unsigned kAttrDirectory = 0x10;
inline constexpr unsigned kAttrArchive = 0x20;
inline constexpr unsigned kAttrNormal = 0x80;
inline constexpr unsigned kInvalidAttributes = 0xFFFFFFFFu;

// The two masks the program lists with. Hidden and system entries are never listed.
enum class ListMask {
    kOrdinaryFiles,            // regular files only
    kOrdinaryFilesAndFolders,  // regular files and folders
};

// Looks up a path pattern: every component but the last is a plain folder path; the last may hold
// the wildcards of WildcardMatch (wildcard.h). Gives the matching names (without their folder),
// ordered by name ordinally and without regard to case, as NTFS yields them.
//
// On POSIX a name starting with "." counts as hidden, and only regular files and folders are
// listed (never FIFOs, devices or sockets). A pattern ending in a separator names the folder
// itself: with the folders mask it yields "." when that folder exists.
//
// A folder that does not exist, or cannot be read, yields no names. A pattern the file system
// rejects outright (a name too long, a link loop in the folder part) yields no names and, when
// `error` is given, the system's own description of the fault in it (no more: the program shows
// it above the pattern); otherwise `error` is left empty.
std::vector<std::string> FindFiles(const std::string& pattern, ListMask mask,
                                   std::string* error = nullptr);

// Looks up several name patterns in one folder and gives, for each pattern in order, exactly what
// FindFiles(folder + separator + pattern, mask, error) would give. Where it can, it reads the
// folder once for all of them, which halves the work of listing a large book by two extensions.
// `error`, when given, receives the first fault met.
std::vector<std::vector<std::string>> FindFilesByPatterns(
    const std::string& folder, const std::vector<std::string>& namePatterns, ListMask mask,
    std::string* error = nullptr);

// The attribute flags of a path, or kInvalidAttributes when it cannot be read. On POSIX a folder
// gives kAttrDirectory (plus kAttrHidden for a dot-name), a regular file kAttrArchive (plus
// kAttrHidden for a dot-name), anything else (FIFO, device, socket) kAttrSystem, and entries
// without any write permission kAttrReadOnly. Links are followed.
unsigned GetAttributes(const std::string& path);

}  // namespace platform
