#pragma once

#include <ctime>

namespace platform {

// The calendar date and time of day of `time` in the system's time zone. Safe on any thread.
std::tm LocalTime(std::time_t time);

}  // namespace platform
