#pragma once

#include <string>

// Whether files and folders are there, as the windows ask it.
namespace modFunc {

// True for a folder that a listing shows (so hidden folders count as absent).
bool FolderExists(const std::string& path);
// True when the listing pattern `path` ("*" and "?" act as wildcards) matches an ordinary file.
// Shows the lookup's error and the path in a message when the lookup fails.
bool FileExists(const std::string& path);
// True only for an existing regular file of at least one byte; deletes a file of zero bytes (what
// a failed save leaves). Never blocks and never shows anything.
bool FileHasContent(const std::string& path);

}  // namespace modFunc
