#include "support/utf8_escape.h"

#include <gtest/gtest.h>

#include "support/utf8_text.h"

namespace {

struct EscapeCase {
    const char* name;
    std::string bytes;
    std::string escaped;
};

class Utf8EscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(Utf8EscapeTest, GivesValidUtf8ThatComesBackWhole) {
    const std::string escaped = utf8::Escaped(GetParam().bytes);
    EXPECT_EQ(escaped, GetParam().escaped);
    EXPECT_EQ(utf8::FromUtf8(escaped).find(U'\uFFFD'), std::u32string::npos);
    EXPECT_EQ(utf8::Unescaped(escaped), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Utf8EscapeTest,
    testing::Values(EscapeCase{"Utf8StaysAsItIs", "詰将棋　第１巻/p010.kif",
                               "詰将棋　第１巻/p010.kif"},
                    // 詰将棋 in Shift-JIS: 8B 6C 8F AB 8A FB.
                    EscapeCase{"ShiftJisBytes", "\x8B\x6C\x8F\xAB",
                               "\xEF\x9E\x8B"
                               "l\xEF\x9E\x8F\xEF\x9E\xAB"},
                    // U+F793 itself would read as the byte 0x93: it is escaped byte by byte.
                    EscapeCase{"TheEscapesThemselves", "a\xEF\x9E\x93",
                               "a\xEF\x9F\xAF\xEF\x9E\x9E\xEF\x9E\x93"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
