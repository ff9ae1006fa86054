#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// UTF-8 text: its characters, counted and cut, and converted to and from UTF-32.
namespace utf8 {

// A character of UTF-8 text and the number of its bytes.
struct Decoded {
    char32_t character;
    std::size_t length;
};

// The character starting at byte `pos` of `text`, or nothing for a byte that does not start a
// well-formed sequence: a stray continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF or a sequence cut short. Each caller steps over such a byte on its own.
std::optional<Decoded> DecodeAt(std::string_view text, std::size_t pos);

// Counting and cutting by characters. A byte that is not part of a valid UTF-8 sequence counts
// as one character of its own, so no text is ever lost or altered.

// The number of characters in `text`.
std::size_t Length(const std::string& text);

// The byte offset of character `index` (0-based); text.size() when past the end.
std::size_t ByteOffset(const std::string& text, std::size_t index);

// Up to `count` characters from character `start` (0-based).
std::string Mid(const std::string& text, std::size_t start, std::size_t count);

// Text as UTF-8, and back. A surrogate or a value past U+10FFFF becomes U+FFFD in UTF-8, and
// each byte that is not part of a valid UTF-8 sequence becomes U+FFFD in UTF-32.
std::string ToUtf8(std::u32string_view text);
std::u32string FromUtf8(std::string_view text);

}  // namespace utf8
