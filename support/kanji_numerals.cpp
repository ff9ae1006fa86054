#include "support/kanji_numerals.h"

#include <algorithm>

#include "support/utf8_text.h"

namespace kanji {
namespace {

constexpr std::u32string_view kDigits = U"〇一二三四五六七八九";
constexpr char32_t kTen = U'十';

}  // namespace

int DigitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'０' && c <= U'９') return static_cast<int>(c - U'０');
    const std::size_t at = kDigits.find(c);
    return at == std::u32string_view::npos ? -1 : static_cast<int>(at);
}

bool IsNumeralCharacter(char32_t c) { return DigitValue(c) >= 0 || c == kTen; }

std::optional<int> ParseNumber(std::u32string_view text) {
    if (text.empty()) return std::nullopt;
    const std::size_t ten = text.find(kTen);
    if (ten != std::u32string_view::npos) {
        const std::u32string_view before = text.substr(0, ten);
        const std::u32string_view after = text.substr(ten + 1);
        if (before.size() > 1 || after.size() > 1) return std::nullopt;
        const int tens = before.empty() ? 1 : DigitValue(before[0]);
        const int units = after.empty() ? 0 : DigitValue(after[0]);
        if (tens < 1 || units < 0) return std::nullopt;
        return tens * 10 + units;
    }
    int value = 0;
    for (char32_t c : text) {
        const int digit = DigitValue(c);
        if (digit < 0) return std::nullopt;
        value = std::min(value * 10 + digit, 99);
    }
    return value;
}

std::string Numeral(int number) {
    number = std::clamp(number, 0, 99);
    std::u32string text;
    if (number < 10) {
        text += kDigits[static_cast<std::size_t>(number)];
    } else {
        if (number >= 20) text += kDigits[static_cast<std::size_t>(number / 10)];
        text += kTen;
        if (number % 10 != 0) text += kDigits[static_cast<std::size_t>(number % 10)];
    }
    return utf8::ToUtf8(text);
}

}  // namespace kanji
