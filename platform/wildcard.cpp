#include "wildcard.h"

#include <cstddef>
#include <string>

#include "ascii_case.h"

namespace platform {
namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// "?" stands for one character, and a character may take several bytes in UTF-8.
std::size_t NextCharacter(const std::string& text, std::size_t at) {
    ++at;
    while (at < text.size() && IsUtf8Continuation(text[at])) ++at;
    return at;
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    // Where the last "*" was seen, and the name position it currently stretches to; a mismatch
    // after it retries with the star swallowing one more character.
    std::size_t starAt = std::string::npos;
    std::size_t starName = 0;

    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextCharacter(name, n);
        } else if (p < pattern.size() && AsciiUpper(pattern[p]) == AsciiUpper(name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            starName = NextCharacter(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace platform
