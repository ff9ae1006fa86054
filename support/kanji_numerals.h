#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as records and boards write them: digits, half or full width, and kanji numerals
// (〇一二三四五六七八九 and 十).
namespace kanji {

// The value of one digit, 0 to 9: ASCII, full width (０-９) or kanji (〇, 一 to 九); -1 for any
// other character.
int DigitValue(char32_t c);

// Whether `c` may be part of a number: a digit of any of the three kinds, or 十.
bool IsNumeralCharacter(char32_t c);

// The number `text` writes: digits of any kind ("12", "１２", "一二") or a kanji numeral with
// 十 ("十", "十二", "二十三"); nothing for any other text, the empty text too. Numbers larger
// than 99 stop at 99.
std::optional<int> ParseNumber(std::u32string_view text);

// `number` (0 to 99; beyond, the nearest of them) in kanji numerals, as UTF-8: 〇, 一 to 九, 十,
// 十二, 二十, 二十三.
std::string Numeral(int number);

}  // namespace kanji
