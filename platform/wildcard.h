#pragma once

#include <string>

namespace platform {

// True when `name` matches `pattern` by the Windows wildcard rules: "*" stands for any run of
// characters and "?" for one character, however many bytes it takes in UTF-8; everything else
// matches itself without regard to ASCII case, as Windows does. (The old DOS forms, such as "?"
// matching nothing at the end of a name, are not followed.)
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace platform
