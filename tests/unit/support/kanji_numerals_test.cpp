#include "support/kanji_numerals.h"

#include <gtest/gtest.h>

#include "support/utf8_text.h"

namespace {

// As the board writes a count in hand; a record's hand reads every one of them back.
TEST(KanjiNumerals, CountsAreWrittenWithTenAndReadBack) {
    const std::pair<int, std::string> written[] = {{0, "〇"},    {9, "九"},    {10, "十"},
                                                   {18, "十八"}, {20, "二十"}, {99, "九十九"}};
    for (const auto& [count, text] : written) EXPECT_EQ(kanji::Numeral(count), text);
    for (int count = 0; count <= 99; ++count) {
        EXPECT_EQ(kanji::ParseNumber(utf8::FromUtf8(kanji::Numeral(count))), count);
    }
}

}  // namespace
