#include "support/file_presence.h"

#include "platform/dir_listing.h"
#include "platform/file_ops.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace modFunc {

// A listing lookup rather than a plain attribute read, so that hidden folders count as absent.
bool FolderExists(const std::string& path) {
    if (path.empty()) return false;
    if (platform::FindFiles(path, platform::ListMask::kOrdinaryFilesAndFolders).empty()) {
        return false;
    }
    const unsigned attributes = platform::GetAttributes(path);
    return attributes != platform::kInvalidAttributes &&
           (attributes & platform::kAttrDirectory) != 0;
}

// The path is a listing pattern: "*" and "?" in it act as wildcards.
bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::string error;
    const bool found =
        !platform::FindFiles(path, platform::ListMask::kOrdinaryFiles, &error).empty();
    if (!error.empty()) {
        ShowMessage(error + std::string(modConst::kCrLf) + path);
        return false;
    }
    return found;
}

// A zero-byte file is what a failed save leaves behind; it counts as absent and is cleared away.
// Only a file that opened as a regular file can reach the deletion.
bool FileHasContent(const std::string& path) {
    if (path.empty()) return false;
    try {
        std::optional<platform::ReadOnlyFile> file = platform::ReadOnlyFile::Open(path);
        if (!file) return false;
        const std::optional<std::uint64_t> length = platform::FileLength(path);
        file->Close();
        if (!length) return false;
        if (*length > 0) return true;
        platform::DeleteFileAt(path);
        return false;
    } catch (...) {
        return false;
    }
}

}  // namespace modFunc
