#pragma once

// The case of the letters A to Z, as the Windows file system and profile functions fold names,
// and as encoding names are matched. Every other byte stays as it is, the bytes of UTF-8
// sequences included.

namespace platform {

constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace platform
