#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line grammar of a profile (initialisation) file, kept apart from the file handling so the
// rules can be read, and checked, on their own.
namespace platform::profile_format {

// The UTF-8 byte-order mark some editors put at the start of a file; it is not part of the first
// line's text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class LineKind {
    kBlank,    // nothing but blanks
    kComment,  // starts with ';'
    kSection,  // "[name]"
    kKey,      // "name=value"
    kOther,    // anything else; kept on writes, ignored on reads
};

struct ParsedLine {
    LineKind kind = LineKind::kOther;
    // The section or key name, blanks around it dropped.
    std::string_view name;
    // For a key: the raw text after the first '=' and where it starts within the line.
    std::string_view valueText;
    std::size_t valueOffset = 0;
};

// The text of a raw line without its "\n" or "\r\n" (a lone '\r' at the end counts as part of
// the ending too, so a last line without '\n' reads the same before and after a line is added
// behind it).
std::string_view LineText(std::string_view rawLine);

// Classifies one line's text (already without its ending and without a byte-order mark).
ParsedLine ParseLine(std::string_view text);

std::string_view TrimBlanks(std::string_view text);

// Section and key names compare ignoring ASCII case only; other bytes must be equal.
bool NamesEqual(std::string_view a, std::string_view b);

// What a read gives for a key's value text: blanks around it dropped, then one enclosing pair of
// matching single or double quotes removed.
std::string_view StoredValue(std::string_view valueText);

// Why an entry (section and key names already without their surrounding blanks) could not be
// read back as given, or would break the file's lines; empty when it can be stored.
std::string EntryProblem(std::string_view section, std::string_view key, std::string_view value);

}  // namespace platform::profile_format
