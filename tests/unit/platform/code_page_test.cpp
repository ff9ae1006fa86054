// Shift-JIS (code page 932) lines as records hold them, decoded to UTF-8. A half-width katakana
// is one byte in and three out, the most any character grows.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/code_page.h"

namespace {

struct CodePageCase {
    const char* name;
    std::string bytes;
    std::string text;
};

std::string Repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

const std::string kKatakanaBytes = "\xB6\xC0\xB6\xC5";       // ｶﾀｶﾅ
const std::string kTitleBytes = "\x95\x5c\x91\xe8\x81\x46";  // 表題：

class CodePage932Test : public testing::TestWithParam<CodePageCase> {};

TEST_P(CodePage932Test, DecodesTheWholeLine) {
    const std::optional<std::string> text = platform::DecodeCodePage932(GetParam().bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CodePage932Test,
    testing::Values(CodePageCase{"OneHalfWidthKatakana", "\xB1", "ｱ"},
                    // The fewest characters that outgrow half as much room again as their bytes.
                    CodePageCase{"ThreeHalfWidthKatakana", "\xB6\xC0\xB6", "ｶﾀｶ"},
                    CodePageCase{"HalfWidthKatakanaOnly", kKatakanaBytes, "ｶﾀｶﾅ"},
                    CodePageCase{"Mixed", kTitleBytes + kKatakanaBytes + "\x82\xcc" + "p012",
                                 "表題：ｶﾀｶﾅのp012"},
                    // A two-byte character last, after a line that grew by two thirds.
                    CodePageCase{"KanjiAfterHalfWidthKatakana", kKatakanaBytes + "\x8c\x6a",
                                 "ｶﾀｶﾅ桂"},
                    CodePageCase{"LongLineOfHalfWidthKatakana", Repeated(kKatakanaBytes, 20000),
                                 Repeated("ｶﾀｶﾅ", 20000)},
                    CodePageCase{"LongMixedLine", Repeated(kTitleBytes + "\xB1 ", 5000),
                                 Repeated("表題：ｱ ", 5000)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
