#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The study day: the day an attempt counts for. It begins at 04:00 local time, so that a session
// that runs past midnight stays one day, and a mark at 02:00 counts for the day before. Days are
// numbered in the Gregorian calendar, day 0 being 1970-01-01, so that the next day is one more.
namespace studyDay {

// The hour of local time at which a study day begins.
inline constexpr int kStartHour = 4;

struct Date {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
};

// The number of a calendar date, and back.
int DayNumber(const Date& date);
Date DateOf(int dayNumber);
// 0 for Monday to 6 for Sunday.
int Weekday(int dayNumber);

// The study day of a local date and hour of the day: before kStartHour, the day before.
int StudyDay(const Date& date, int hour);
// The study day of a moment, by the system's time zone.
int StudyDayOf(std::time_t moment);
// The study day of a local time as the study log keeps it ("2026-12-08T02:15:02"); nothing when
// the text is not such a time (the log is a user's file: any text may stand there).
std::optional<int> StudyDayOfLocalText(std::string_view text);
// A day as the windows write it: "2026-12-08".
std::string DateText(int dayNumber);
// The study day now, by the program's clock (outside::World().Now()).
int Today();

}  // namespace studyDay
