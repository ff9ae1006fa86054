#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// Study days: a day of study starts at 04:00 local time, so that a session after midnight counts
// for the day before. A study day is numbered by the days from 1970-01-01 to its calendar date.
namespace reviewSchedule {

using StudyDay = int;

constexpr int kStudyDayStartHour = 4;

// The study day of a local time as the study log writes it ("2026-12-08T14:15:02"; a space in
// place of the "T", and anything after the seconds, are taken too). Nothing when the text is
// not such a time.
std::optional<StudyDay> StudyDayOfText(std::string_view localTime);
// The study day of `time` in the system's time zone.
StudyDay StudyDayOf(std::time_t time);
// The calendar date of a study day, "2026-12-08".
std::string DateText(StudyDay day);

}  // namespace reviewSchedule
