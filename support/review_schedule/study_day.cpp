#include "support/review_schedule/study_day.h"

#include <cstdio>

#include "platform/local_time.h"

namespace reviewSchedule {
namespace {

// The days from 1970-01-01 to a date of the proleptic Gregorian calendar (month 1 to 12).
int DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// The number written by `count` digits at `at`, or nothing.
std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (text.size() < at + count) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

StudyDay DayOfDate(int year, int month, int day, int hour) {
    return DaysFromCivil(year, month, day) - (hour < kStudyDayStartHour ? 1 : 0);
}

}  // namespace

std::optional<StudyDay> StudyDayOfText(std::string_view localTime) {
    const std::optional<int> year = DigitsAt(localTime, 0, 4);
    const std::optional<int> month = DigitsAt(localTime, 5, 2);
    const std::optional<int> day = DigitsAt(localTime, 8, 2);
    const std::optional<int> hour = DigitsAt(localTime, 11, 2);
    const std::optional<int> minute = DigitsAt(localTime, 14, 2);
    const std::optional<int> second = DigitsAt(localTime, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    if (localTime[4] != '-' || localTime[7] != '-' || localTime[13] != ':' ||
        localTime[16] != ':' || (localTime[10] != 'T' && localTime[10] != ' ')) {
        return std::nullopt;
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) || *hour > 23 ||
        *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    return DayOfDate(*year, *month, *day, *hour);
}

StudyDay StudyDayOf(std::time_t time) {
    const std::tm local = platform::LocalTime(time);
    return DayOfDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour);
}

std::string DateText(StudyDay day) {
    // The inverse of DaysFromCivil.
    const int z = day + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int date = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const int year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, date);
    return text;
}

}  // namespace reviewSchedule
