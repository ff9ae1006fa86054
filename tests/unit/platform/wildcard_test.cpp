#include <gtest/gtest.h>

#include "platform/wildcard.h"

namespace {

using platform::WildcardMatch;

TEST(WildcardMatchTest, StarAndQuestionMark) {
    EXPECT_TRUE(WildcardMatch("*", "anything.kif"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_TRUE(WildcardMatch("*.kif", "p012.kif"));
    EXPECT_TRUE(WildcardMatch("*.kif", ".kif"));
    EXPECT_FALSE(WildcardMatch("*.kif", "p012.kif.txt"));
    EXPECT_FALSE(WildcardMatch("*.kif", "p012.bod"));
    EXPECT_TRUE(WildcardMatch("p???.kif", "p012.kif"));
    EXPECT_FALSE(WildcardMatch("p???.kif", "p12.kif"));
    EXPECT_FALSE(WildcardMatch("p???.kif", "p0123.kif"));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYbZZc"));
    EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYYbZZ"));
    EXPECT_TRUE(WildcardMatch("**a**", "bab"));
}

TEST(WildcardMatchTest, IgnoresAsciiCaseOnly) {
    EXPECT_TRUE(WildcardMatch("*.KIF", "p012.kif"));
    EXPECT_TRUE(WildcardMatch("Template.txt", "TEMPLATE.TXT"));
    // Letters beyond ASCII keep their case, as the wildcard rules fold ASCII only.
    EXPECT_FALSE(WildcardMatch("\xC3\xA9.txt", "\xC3\x89.txt"));  // é against É
}

TEST(WildcardMatchTest, QuestionMarkTakesOneWholeCharacter) {
    // "１.kif" with a full-width digit: three bytes, one character.
    EXPECT_TRUE(WildcardMatch("?.kif", "\xEF\xBC\x91.kif"));
    EXPECT_FALSE(WildcardMatch("???.kif", "\xEF\xBC\x91.kif"));
}

TEST(WildcardMatchTest, OtherCharactersAreLiteral) {
    EXPECT_TRUE(WildcardMatch("[a].kif", "[a].kif"));
    EXPECT_FALSE(WildcardMatch("[a].kif", "a.kif"));
    EXPECT_FALSE(WildcardMatch("", "a"));
    EXPECT_TRUE(WildcardMatch("", ""));
}

}  // namespace
