#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The platform layer speaks UTF-8; Windows speaks UTF-16. Every crossing goes through here.
namespace platform::win32 {

// The UTF-16 form of `text`, or nothing when it holds a NUL or is not valid UTF-8: either would
// make the system see a different name than the one we were given.
std::optional<std::wstring> Widen(const std::string& text);

// The UTF-8 form of a system text. An unpaired surrogate, which Windows allows in file names,
// becomes U+FFFD.
std::string Narrow(const std::wstring& text);

}  // namespace platform::win32
