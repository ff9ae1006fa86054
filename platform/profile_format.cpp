#include "profile_format.h"

#include "ascii_case.h"

namespace platform::profile_format {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::string_view LineText(std::string_view rawLine) {
    if (!rawLine.empty() && rawLine.back() == '\n') rawLine.remove_suffix(1);
    if (!rawLine.empty() && rawLine.back() == '\r') rawLine.remove_suffix(1);
    return rawLine;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

ParsedLine ParseLine(std::string_view text) {
    ParsedLine line;
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        line.kind = LineKind::kBlank;
    } else if (trimmed.front() == ';') {
        line.kind = LineKind::kComment;
    } else if (trimmed.front() == '[') {
        // The last ']' closes the name, so a name holding ']' still reads back whole.
        const std::size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::kSection;
            line.name = TrimBlanks(trimmed.substr(1, close - 1));
        }
    } else if (const std::size_t equals = text.find('='); equals != std::string_view::npos) {
        line.kind = LineKind::kKey;
        line.name = TrimBlanks(text.substr(0, equals));
        line.valueOffset = equals + 1;
        line.valueText = text.substr(equals + 1);
    }
    return line;
}

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::string_view StoredValue(std::string_view valueText) {
    std::string_view value = TrimBlanks(valueText);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Names and values that could not be read back as given, or that would break the file's lines,
// are refused rather than stored.
std::string EntryProblem(std::string_view section, std::string_view key, std::string_view value) {
    if (HoldsLineBreakOrNul(section)) return "the section name holds a line break or a NUL byte";
    if (HoldsLineBreakOrNul(key)) return "the key name holds a line break or a NUL byte";
    if (HoldsLineBreakOrNul(value)) return "the value holds a line break or a NUL byte";
    if (key.empty()) return "the key name is empty";
    if (key.find('=') != std::string_view::npos) return "the key name holds '='";
    if (key.front() == ';' || key.front() == '[') {
        return "the key name starts with ';' or '[', which would make it a comment or a section";
    }
    return {};
}

}  // namespace platform::profile_format
