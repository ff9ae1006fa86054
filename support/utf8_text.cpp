#include "support/utf8_text.h"

namespace utf8 {
namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// The number of bytes of the character starting at `pos`: the length of a well-formed sequence,
// or 1 for a byte that does not start one. Counting such a byte on its own keeps every byte of
// the text inside exactly one character.
std::size_t SequenceLength(std::string_view text, std::size_t pos) {
    const std::optional<Decoded> decoded = DecodeAt(text, pos);
    return decoded ? decoded->length : 1;
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

std::optional<Decoded> DecodeAt(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) {
        return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) return Decoded{lead, 1};
    std::size_t length;
    char32_t value;
    char32_t least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return Decoded{value, length};
}

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

std::u32string FromUtf8(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<Decoded> decoded = DecodeAt(text, pos);
        result += decoded ? decoded->character : kReplacement;
        pos += decoded ? decoded->length : 1;
    }
    return result;
}

std::string ToUtf8(std::u32string_view text) {
    std::string result;
    result.reserve(text.size() * 3);
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if (c < 0x800) {
            result += static_cast<char>(0xC0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            result += static_cast<char>(0xE0 | (c >> 12));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (c >> 18));
            result += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

}  // namespace utf8
