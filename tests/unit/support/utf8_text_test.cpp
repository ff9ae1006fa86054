#include "support/utf8_text.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Text, CountsCharactersNotBytes) {
    EXPECT_EQ(utf8::Length(""), 0u);
    EXPECT_EQ(utf8::Length("p012.kif"), 8u);
    EXPECT_EQ(utf8::Length("１２３"), 3u);
    EXPECT_EQ(utf8::Length("本a\xF0\x9F\x93\x96"), 3u);  // two-, one- and four-byte characters
}

TEST(Utf8Text, EachInvalidByteIsOneCharacter) {
    EXPECT_EQ(utf8::Length("\xFF\xFE"), 2u);
    EXPECT_EQ(utf8::Length("\xE6\x9C"), 2u);          // cut-short sequence
    EXPECT_EQ(utf8::Length("\xC0\xAF"), 2u);          // overlong slash
    EXPECT_EQ(utf8::Length("\xED\xA0\x80"), 3u);      // surrogate
    EXPECT_EQ(utf8::Length("\xF4\x90\x80\x80"), 4u);  // past U+10FFFF
    EXPECT_EQ(utf8::Length("\x80"
                           "a"),
              2u);  // stray continuation byte
}

TEST(Utf8Text, ByteOffsetStopsAtTheEnd) {
    const std::string text = "本a棚";
    EXPECT_EQ(utf8::ByteOffset(text, 0), 0u);
    EXPECT_EQ(utf8::ByteOffset(text, 1), 3u);
    EXPECT_EQ(utf8::ByteOffset(text, 2), 4u);
    EXPECT_EQ(utf8::ByteOffset(text, 3), text.size());
    EXPECT_EQ(utf8::ByteOffset(text, 100), text.size());
}

TEST(Utf8Text, MidCutsByCharactersAndKeepsInvalidBytes) {
    EXPECT_EQ(utf8::Mid("本棚p012", 2, 3), "p01");
    EXPECT_EQ(utf8::Mid("本棚p012", 1, 2), "棚p");
    EXPECT_EQ(utf8::Mid("abc", 1, 100), "bc");
    EXPECT_EQ(utf8::Mid("abc", 5, 1), "");
    EXPECT_EQ(utf8::Mid("a\xFF"
                        "b",
                        1, 1),
              "\xFF");
    EXPECT_EQ(utf8::Mid("a\xE6\x9C"
                        "b",
                        2, 2),
              "\x9C"
              "b");
}

}  // namespace
