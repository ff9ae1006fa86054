#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths and names taken apart and put together, as text: nothing here touches the disk.
namespace modFunc {

// The text before the last separator; a trailing separator is passed over, so a folder written
// with one gives the same parent as without it.
std::string ParentFolder(const std::string& path);
// `folder`, the separator, `name`.
std::string JoinPath(std::string_view folder, std::string_view name);
// The name with everything after its last period replaced by `extension`. A name without a
// period shows kMsgNoPeriod and gives nothing: the caller stops its handler there.
std::optional<std::string> ReplaceExtension(const std::string& name, std::string_view extension);
// True when every byte is a half-width digit (so full-width digits are not); true for "".
bool IsAllDigits(const std::string& text);
// `text` with the number in its field of `width` characters from character `start` (counted
// from 1) less one, written back in the field's width; empty when the field is not all digits.
// Throws std::out_of_range for a start below 1, a negative width or a field above 2147483647.
std::string DecrementNumberAt(const std::string& text, int start, int width);
// The page image of the page before the one `imageName` names: the three digits after its first
// character, less one ("p012.jpg" gives "p011.jpg"). Empty where there is no page before: page
// 000, or a name without a page number there.
std::string PreviousPageImage(const std::string& imageName);

}  // namespace modFunc
