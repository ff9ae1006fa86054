#pragma once

#include <string>

// Counting and cutting UTF-8 text by characters. A byte that is not part of a valid UTF-8
// sequence counts as one character of its own, so no text is ever lost or altered.
namespace utf8 {

// The number of characters in `text`.
std::size_t Length(const std::string& text);

// The byte offset of character `index` (0-based); text.size() when past the end.
std::size_t ByteOffset(const std::string& text, std::size_t index);

// Up to `count` characters from character `start` (0-based).
std::string Mid(const std::string& text, std::size_t start, std::size_t count);

}  // namespace utf8
