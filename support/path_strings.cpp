#include "support/path_strings.h"

#include <algorithm>
#include <stdexcept>

#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/utf8_text.h"

namespace modFunc {
namespace {

constexpr long long kLargestField = 2147483647;

// Where a page image's name holds its page number: "p012.jpg".
constexpr int kPageNumberStart = 2;
constexpr int kPageNumberWidth = 3;

long long FieldValue(const std::string& digits) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kLargestField) throw std::out_of_range("number field too large: " + digits);
    }
    return value;
}

// The first `count` characters of: `width` zeros followed by `number`, cut to its last `width`
// characters. Built piece by piece so that a wide field never allocates `width` zeros.
std::string LeadingCharsOfPaddedNumber(const std::string& number, std::size_t width,
                                       std::size_t count) {
    std::string padded;
    if (width >= number.size()) {
        const std::size_t zeros = width - number.size();
        padded.assign(std::min(zeros, count), '0');
        if (count > zeros) padded += number.substr(0, count - zeros);
    } else {
        padded = number.substr(number.size() - width, count);
    }
    return padded;
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += modConst::kSep;
    path += name;
    return path;
}

// The last character is passed over, so a folder written with a trailing separator gives the
// same parent as without it.
std::string ParentFolder(const std::string& path) {
    const std::size_t length = utf8::Length(path);
    if (length < 2) return {};
    const std::size_t lastCharacter = utf8::ByteOffset(path, length - 1);
    const std::size_t separator = path.rfind(modConst::kSep, lastCharacter - 1);
    if (separator == std::string::npos) return {};
    return path.substr(0, separator);
}

// The period may lie in a folder part; the name's own period is not looked for separately.
std::optional<std::string> ReplaceExtension(const std::string& name, std::string_view extension) {
    const std::size_t period = name.rfind('.');
    if (period == std::string::npos) {
        ShowMessage(modConst::kMsgNoPeriod);
        return std::nullopt;
    }
    return name.substr(0, period + 1).append(extension);
}

// Bytes of multi-byte characters all lie above '9', so full-width digits fail as they should.
bool IsAllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string DecrementNumberAt(const std::string& text, int start, int width) {
    if (start < 1) throw std::out_of_range("field start below 1");
    if (width < 0) throw std::out_of_range("negative field width");

    const std::size_t startIndex = static_cast<std::size_t>(start) - 1;
    const std::string field = utf8::Mid(text, startIndex, static_cast<std::size_t>(width));
    if (!IsAllDigits(field)) return {};

    const long long decremented = FieldValue(field) - 1;
    // The field holds digits only, so its characters are its bytes; the text keeps its length.
    const std::string newField = LeadingCharsOfPaddedNumber(
        std::to_string(decremented), static_cast<std::size_t>(width), field.size());
    std::string result = text;
    result.replace(utf8::ByteOffset(text, startIndex), field.size(), newField);
    return result;
}

std::string PreviousPageImage(const std::string& imageName) {
    const std::string previous = DecrementNumberAt(imageName, kPageNumberStart, kPageNumberWidth);
    // Page 000 has no page before it: the name formed for it ("p0-1.jpg") names no page image.
    if (previous.empty() ||
        !IsAllDigits(utf8::Mid(previous, kPageNumberStart - 1, kPageNumberWidth))) {
        return {};
    }
    return previous;
}

}  // namespace modFunc
