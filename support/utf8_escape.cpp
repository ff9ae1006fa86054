#include "support/utf8_escape.h"

#include <optional>

#include "support/utf8_text.h"

namespace utf8 {
namespace {

constexpr char32_t kFirstByteCharacter = 0xF780;  // stands for the byte 0x80
constexpr char32_t kLastByteCharacter = 0xF7FF;   // ... 0xFF
constexpr char32_t kByteBase = 0xF700;

bool StandsForAByte(char32_t character) {
    return character >= kFirstByteCharacter && character <= kLastByteCharacter;
}

// The UTF-8 of a character of U+F780 to U+F7FF: three bytes.
void AppendByteCharacter(std::string& text, unsigned char byte) {
    const char32_t character = kByteBase + byte;
    text += static_cast<char>(0xE0 | (character >> 12));
    text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
}

}  // namespace

std::string Escaped(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::optional<Decoded> decoded = DecodeAt(bytes, pos);
        if (decoded && !StandsForAByte(decoded->character)) {
            text.append(bytes.substr(pos, decoded->length));
            pos += decoded->length;
            continue;
        }
        const std::size_t length = decoded ? decoded->length : 1;
        for (std::size_t i = 0; i < length; ++i) {
            AppendByteCharacter(text, static_cast<unsigned char>(bytes[pos + i]));
        }
        pos += length;
    }
    return text;
}

std::string Unescaped(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::optional<Decoded> decoded = DecodeAt(text, pos);
        if (decoded && StandsForAByte(decoded->character)) {
            bytes += static_cast<char>(decoded->character - kByteBase);
        } else {
            bytes.append(text.substr(pos, decoded ? decoded->length : 1));
        }
        pos += decoded ? decoded->length : 1;
    }
    return bytes;
}

}  // namespace utf8
