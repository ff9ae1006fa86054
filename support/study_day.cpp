#include "support/study_day.h"

#include <cstdio>

#include "platform/local_time.h"
#include "support/outside_world.h"

namespace studyDay {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// The value of `count` decimal digits of `text` from `at`; nothing unless all are digits.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (text.size() < at + count) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

// The days from 1970-01-01 of a date of the proleptic Gregorian calendar, counted in eras of 400
// years (146,097 days) that begin on 1 March, so that a leap day falls at an era's year's end.
int DayNumber(const Date& date) {
    const int year = date.month <= 2 ? date.year - 1 : date.year;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date DateOf(int dayNumber) {
    const int shifted = dayNumber + 719468;
    const int era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const int dayOfEra = shifted - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthIndex = (5 * dayOfYear + 2) / 153;
    Date date;
    date.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    date.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}

int Weekday(int dayNumber) {
    // 1970-01-01 was a Thursday.
    const int fromMonday = (dayNumber + 3) % 7;
    return fromMonday < 0 ? fromMonday + 7 : fromMonday;
}

int StudyDay(const Date& date, int hour) {
    const int day = DayNumber(date);
    return hour < kStartHour ? day - 1 : day;
}

int StudyDayOf(std::time_t moment) {
    const std::tm local = platform::LocalTime(moment);
    return StudyDay({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour);
}

std::optional<int> StudyDayOfLocalText(std::string_view text) {
    // YYYY-MM-DDTHH, then whatever the log has after the hour.
    const std::optional<int> year = Digits(text, 0, 4);
    const std::optional<int> month = Digits(text, 5, 2);
    const std::optional<int> day = Digits(text, 8, 2);
    const std::optional<int> hour = Digits(text, 11, 2);
    if (!year || !month || !day || !hour || text[4] != '-' || text[7] != '-' ||
        (text[10] != 'T' && text[10] != ' ')) {
        return std::nullopt;
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23) {
        return std::nullopt;
    }
    return StudyDay({*year, *month, *day}, *hour);
}

int Today() { return StudyDayOf(outside::World().Now()); }

std::string DateText(int dayNumber) {
    const Date date = DateOf(dayNumber);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace studyDay
