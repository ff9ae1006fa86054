#pragma once

#include <string_view>

// How this system writes paths, and where it keeps what the program borrows from it.

namespace platform {

#ifdef _WIN32
inline constexpr std::string_view kPathSeparator = "\\";
// Where the system keeps its sounds.
inline constexpr std::string_view kSystemSoundFolder = "C:\\Windows\\Media";
#else
inline constexpr std::string_view kPathSeparator = "/";
inline constexpr std::string_view kSystemSoundFolder = "/usr/share/sounds";
#endif

}  // namespace platform
