#pragma once

#include <string>
#include <string_view>

// Any bytes as valid UTF-8, and back: the form in which the study log keeps a name that is not
// UTF-8 (a folder named in Shift-JIS bytes), so that every text it stores reads as UTF-8 in any
// tool and two such names never become one.
//
// Valid UTF-8 stays as it is, except for the 128 private-use characters U+F780 to U+F7FF, which
// stand for bytes: each byte 0x80 to 0xFF that is not part of a valid UTF-8 sequence becomes
// U+F700 plus its value (byte 0x93 becomes U+F793), and so does each byte of one of those
// characters themselves, so that every text has one escaped form and comes back from it whole.
namespace utf8 {

// `bytes` in the escaped form; valid UTF-8 without U+F780 to U+F7FF is returned unchanged.
std::string Escaped(std::string_view bytes);
// The bytes an escaped text stands for: each U+F780 to U+F7FF becomes its byte again.
std::string Unescaped(std::string_view text);

}  // namespace utf8
