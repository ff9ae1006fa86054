#include "support/utf8_text.h"

namespace utf8 {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The number of bytes of the character starting at `pos`: the length of a well-formed sequence,
// or 1 for a byte that does not start one (stray continuation bytes, overlong forms, surrogates,
// values past U+10FFFF, sequences cut short). Counting such a byte on its own keeps every byte
// of the text inside exactly one character.
std::size_t SequenceLength(const std::string& text, std::size_t pos) {
    const auto byteAt = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80) return 1;

    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    std::size_t length = 0;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        if (lead == 0xE0) secondLow = 0xA0;   // overlong
        if (lead == 0xED) secondHigh = 0x9F;  // surrogates
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        if (lead == 0xF0) secondLow = 0x90;   // overlong
        if (lead == 0xF4) secondHigh = 0x8F;  // past U+10FFFF
    } else {
        return 1;
    }

    if (!InRange(byteAt(pos + 1), secondLow, secondHigh)) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(byteAt(pos + i))) return 1;
    }
    return length;
}

// The byte offset reached after stepping over up to `count` characters from byte `pos`.
std::size_t Advance(const std::string& text, std::size_t pos, std::size_t count) {
    while (count > 0 && pos < text.size()) {
        pos += SequenceLength(text, pos);
        --count;
    }
    return pos;
}

}  // namespace

std::size_t Length(const std::string& text) {
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += SequenceLength(text, pos)) ++characters;
    return characters;
}

std::size_t ByteOffset(const std::string& text, std::size_t index) {
    return Advance(text, 0, index);
}

std::string Mid(const std::string& text, std::size_t start, std::size_t count) {
    const std::size_t begin = ByteOffset(text, start);
    const std::size_t end = Advance(text, begin, count);
    return text.substr(begin, end - begin);
}

}  // namespace utf8
