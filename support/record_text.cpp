#include "support/record_text.h"

#include <optional>

#include "platform/ascii_case.h"
#include "platform/code_page.h"

namespace record {
namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// The character starting at `pos` of UTF-8 text and its length, or nothing for a byte that does
// not start a well-formed sequence (overlong forms, surrogates and values past U+10FFFF are not).
struct Decoded {
    char32_t character;
    std::size_t length;
};
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

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::optional<Decoded> decoded = DecodeAt(bytes, pos);
        if (!decoded) return false;
        pos += decoded->length;
    }
    return true;
}

std::u32string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u32string text;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t first = unit(i);
        if (first >= 0xD800 && first <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t second = unit(i + 2);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                text += 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
                i += 2;
                continue;
            }
        }
        text += (first >= 0xD800 && first <= 0xDFFF) ? kReplacement : first;
    }
    if (bytes.size() % 2 != 0) text += kReplacement;
    return text;
}

// Line by line, so that one bad line does not cost the others; LF never occurs inside a
// character of code page 932.
std::u32string FromCodePage932(std::string_view bytes) {
    std::u32string text;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::optional<std::string> line =
            platform::DecodeCodePage932(bytes.substr(0, length));
        if (line) {
            text += FromUtf8(*line);
        } else {
            text += kReplacement;
            if (end != std::string_view::npos) text += U'\n';
        }
        bytes.remove_prefix(length);
    }
    return text;
}

// The encoding a first line "#KIF version=2.0 encoding=UTF-8" names, in lower case without
// dashes and underscores; empty when there is no such line.
std::string DeclaredEncoding(std::string_view bytes) {
    const std::string_view line = bytes.substr(0, bytes.find('\n'));
    if (line.substr(0, 4) != "#KIF") return {};
    const std::size_t at = line.find("encoding=");
    if (at == std::string_view::npos) return {};
    std::string name;
    for (char c : line.substr(at + 9)) {
        if (c == ' ' || c == '\t' || c == '\r') break;
        if (c != '-' && c != '_') name += platform::AsciiLower(c);
    }
    return name;
}

}  // namespace

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

std::u32string DecodeRecordText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return FromUtf8(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE") return FromUtf16(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF") return FromUtf16(bytes.substr(2), true);
    const std::string declared = DeclaredEncoding(bytes);
    if (declared == "utf8") return FromUtf8(bytes);
    if (declared == "shiftjis" || declared == "sjis" || declared == "cp932" ||
        declared == "windows31j" || declared == "ms932") {
        return FromCodePage932(bytes);
    }
    if (IsValidUtf8(bytes)) return FromUtf8(bytes);
    return FromCodePage932(bytes);
}

}  // namespace record
