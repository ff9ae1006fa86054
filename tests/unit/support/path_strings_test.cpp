#include <climits>
#include <stdexcept>

#include "support_test_helpers.h"

namespace {

using testing_support::WithSep;

TEST(ParentFolder, GivesTheTextBeforeTheLastSeparator) {
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(C:\a\prog)")), WithSep(R"(C:\a)"));
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(C:\a\prog\)")), WithSep(R"(C:\a)"));
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(C:\prog)")), "C:");
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(C:\)")), "");
    EXPECT_EQ(modFunc::ParentFolder("prog"), "");
    EXPECT_EQ(modFunc::ParentFolder(""), "");
}

TEST(ParentFolder, CountsMultiByteCharactersAsOne) {
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(本\棚\)")), "本");
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(本棚\詰将棋)")), "本棚");
    EXPECT_EQ(modFunc::ParentFolder(WithSep(R"(\本)")), "");
}

TEST(ReplaceExtension, ReplacesAfterTheLastPeriod) {
    testing_support::RecordingWorld world;
    EXPECT_EQ(modFunc::ReplaceExtension("012.kif", "jpg"), "012.jpg");
    EXPECT_EQ(modFunc::ReplaceExtension("a.b.kif", "jpg"), "a.b.jpg");
    EXPECT_EQ(modFunc::ReplaceExtension("p012.", "jpg"), "p012.jpg");
    EXPECT_EQ(modFunc::ReplaceExtension(WithSep(R"(my.book\p012)"), "jpg"), WithSep(R"(my.jpg)"));
    EXPECT_TRUE(world.messages.empty());
}

TEST(ReplaceExtension, NameWithoutPeriodIsReportedAndGivesNothing) {
    testing_support::RecordingWorld world;
    EXPECT_EQ(modFunc::ReplaceExtension("p012", "jpg"), std::nullopt);
    EXPECT_EQ(world.messages, std::vector<std::string>{"ファイル名にピリオドが見つかりません"});
}

TEST(IsAllDigits, AcceptsHalfWidthDigitsOnly) {
    EXPECT_TRUE(modFunc::IsAllDigits("007"));
    EXPECT_TRUE(modFunc::IsAllDigits("0123456789"));
    EXPECT_FALSE(modFunc::IsAllDigits(""));
    EXPECT_FALSE(modFunc::IsAllDigits("0a7"));
    EXPECT_FALSE(modFunc::IsAllDigits(" 12"));
    EXPECT_FALSE(modFunc::IsAllDigits("-1"));
    EXPECT_FALSE(modFunc::IsAllDigits("1.5"));
    EXPECT_FALSE(modFunc::IsAllDigits("１２３"));
    EXPECT_FALSE(modFunc::IsAllDigits("12\xFF"));
}

TEST(DecrementNumberAt, LowersThePageField) {
    EXPECT_EQ(modFunc::DecrementNumberAt("p012.jpg", 2, 3), "p011.jpg");
    EXPECT_EQ(modFunc::DecrementNumberAt("p100.jpg", 2, 3), "p099.jpg");
    EXPECT_EQ(modFunc::DecrementNumberAt("p000.jpg", 2, 3), "p0-1.jpg");
    EXPECT_EQ(modFunc::DecrementNumberAt("000", 1, 3), "0-1");
    EXPECT_EQ(modFunc::DecrementNumberAt("p10", 2, 1), "p00");
}

TEST(DecrementNumberAt, NeverChangesTheTextsLength) {
    EXPECT_EQ(modFunc::DecrementNumberAt("p12", 2, 3), "p01");
    EXPECT_EQ(modFunc::DecrementNumberAt("p012", 2, INT_MAX), "p000");
    EXPECT_EQ(modFunc::DecrementNumberAt("本012.jpg", 2, 3), "本011.jpg");
}

TEST(DecrementNumberAt, FieldWithoutDigitsGivesEmptyText) {
    EXPECT_EQ(modFunc::DecrementNumberAt("pab1.jpg", 2, 3), "");
    EXPECT_EQ(modFunc::DecrementNumberAt("p０１２.jpg", 2, 3), "");
    EXPECT_EQ(modFunc::DecrementNumberAt("p", 2, 3), "");
    EXPECT_EQ(modFunc::DecrementNumberAt("p012", 2, 0), "");
}

TEST(DecrementNumberAt, RejectsBadStartAndOversizedField) {
    EXPECT_THROW(modFunc::DecrementNumberAt("p012", 0, 3), std::out_of_range);
    EXPECT_THROW(modFunc::DecrementNumberAt("p012", -5, 3), std::out_of_range);
    EXPECT_THROW(modFunc::DecrementNumberAt("p2147483648", 2, 10), std::out_of_range);
    EXPECT_THROW(modFunc::DecrementNumberAt("p99999999999999999999", 2, 20), std::out_of_range);
    EXPECT_EQ(modFunc::DecrementNumberAt("p2147483647", 2, 10), "p2147483646");
    EXPECT_EQ(modFunc::DecrementNumberAt("p0000000000001", 2, 13), "p0000000000000");
}

}  // namespace
