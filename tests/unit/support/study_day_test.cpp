#include <gtest/gtest.h>

#include <ctime>
#include <optional>

#include "common/recording_world.h"
#include "support/study_day.h"

namespace {

using studyDay::Date;
using studyDay::DayNumber;

struct LocalTextCase {
    const char* text;
    std::optional<Date> studyDay;
};

class StudyDayOfTextTest : public testing::TestWithParam<LocalTextCase> {};

TEST_P(StudyDayOfTextTest, BeginsAtFourInTheMorning) {
    const std::optional<int> day = studyDay::StudyDayOfLocalText(GetParam().text);
    ASSERT_EQ(day.has_value(), GetParam().studyDay.has_value());
    if (day) {
        EXPECT_EQ(*day, DayNumber(*GetParam().studyDay));
    }
}

INSTANTIATE_TEST_SUITE_P(Marks, StudyDayOfTextTest,
                         testing::Values(LocalTextCase{"2026-12-08T14:15:02", Date{2026, 12, 8}},
                                         LocalTextCase{"2026-12-08T02:00:00", Date{2026, 12, 7}},
                                         LocalTextCase{"2026-12-08T03:59:59", Date{2026, 12, 7}},
                                         LocalTextCase{"2026-12-08T04:00:00", Date{2026, 12, 8}},
                                         LocalTextCase{"2027-01-01T00:30:00", Date{2026, 12, 31}},
                                         LocalTextCase{"2028-03-01T01:00:00", Date{2028, 2, 29}},
                                         LocalTextCase{"2026-03-01T01:00:00", Date{2026, 2, 28}},
                                         // What a user's file may hold instead of a time.
                                         LocalTextCase{"", std::nullopt},
                                         LocalTextCase{"2026-12-08", std::nullopt},
                                         LocalTextCase{"2026-13-01T10:00:00", std::nullopt},
                                         LocalTextCase{"2026-02-29T10:00:00", std::nullopt},
                                         LocalTextCase{"2026-12-08T24:00:00", std::nullopt},
                                         LocalTextCase{"2026-1x-08T10:00:00", std::nullopt},
                                         LocalTextCase{"yesterday at ten", std::nullopt}));

TEST(StudyDayTest, DaysCountOnAcrossMonthsYearsAndEras) {
    EXPECT_EQ(DayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(studyDay::Weekday(0), 3);                          // a Thursday
    EXPECT_EQ(studyDay::Weekday(DayNumber({2026, 12, 7})), 0);   // a Monday
    EXPECT_EQ(studyDay::Weekday(DayNumber({1969, 12, 28})), 6);  // a Sunday before day 0
    for (int day = -800'000; day <= 800'000; day += 997) {
        const Date date = studyDay::DateOf(day);
        ASSERT_EQ(DayNumber(date), day) << date.year << "-" << date.month << "-" << date.day;
        ASSERT_EQ(DayNumber(studyDay::DateOf(day + 1)), day + 1);
    }
}

TEST(StudyDayTest, TodayIsTheStudyDayOfTheClock) {
    testing_support::RecordingWorld world;
    const auto at = [](int hour) {
        std::tm local{};
        local.tm_year = 2026 - 1900;
        local.tm_mon = 11;
        local.tm_mday = 9;
        local.tm_hour = hour;
        local.tm_isdst = -1;
        return std::mktime(&local);
    };
    world.now = at(2);
    EXPECT_EQ(studyDay::Today(), DayNumber({2026, 12, 8}));
    world.now = at(4);
    EXPECT_EQ(studyDay::Today(), DayNumber({2026, 12, 9}));
}

}  // namespace
