#pragma once

#include <filesystem>
#include <string>

// Paths in the tests as the program has them: UTF-8 text with the system's separator.
namespace testing_support {

// The separator of the system the tests run on: "\" on Windows, "/" elsewhere.
inline const std::string kSep(1, static_cast<char>(std::filesystem::path::preferred_separator));

// Writes a Windows-style example path ("book\p001.kif") with the system's separator.
inline std::string WithSep(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = kSep[0];
    }
    return path;
}

// A UTF-8 path, as the program has it, and back; a plain std::string would be read in the ANSI
// code page on Windows.
inline std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string TextOf(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// A UTF-8 path as the wide text the Windows API takes.
inline std::wstring Wide(const std::string& utf8) { return PathOf(utf8).wstring(); }

}  // namespace testing_support
