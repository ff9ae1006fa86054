#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pieces a record's text is cut into before it is read: its lines, the blanks around
// words, the header fields ("作者：…") and the numbers of move lines.
namespace record {

using Text = std::u32string_view;

// A space, a tab or an ideographic space (U+3000).
bool IsBlank(char32_t c);
// `text` without the blanks at its ends.
Text Trim(Text text);
bool StartsWith(Text text, Text prefix);

// The lines of `text`, split at each LF, each without the CR before it; no line after a last LF.
std::vector<Text> Lines(const std::u32string& text);

// A header line, "作者：…" or "作者:…", cut at its first colon (full width before half), its key
// and value trimmed.
struct HeaderField {
    Text key;
    Text value;
};
// The field a line holds; nothing for a line without a colon and for a comment or a line of
// another kind (starting with "#", "*" or "&").
std::optional<HeaderField> HeaderFieldOf(Text line);

// Whether a header's key is one that only a record has (先手, 作者, 手合割, ...).
bool IsRecordKey(Text key);

// The number of a move line, "   3 ３二飛成(52)   ( 0:00/00:00:00)" or "  12 同　歩(13)": 0
// for any other line, such as the line that ends the record ("  4 投了").
int MoveNumber(Text line);

}  // namespace record
