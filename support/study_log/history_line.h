#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/study_log/study_log.h"

namespace studyLog {

// The user's word for an outcome: "解けた", "解けなかった", "やめた".
std::string_view OutcomeLabel(Outcome outcome);
// "45秒", "3分12秒", "1時間2分5秒".
std::string DurationText(std::int64_t seconds);
// The preview's line for a record's history, e.g. "2回　最後：解けた（3分12秒）　最速 2分40秒":
// the time of the last attempt only when it was timed, the best only when a solved attempt
// was. Empty for a record never marked.
std::string HistoryLine(const RecordHistory& history);
// The same line in the first cycle; in a later one, the current cycle's attempts and last
// outcome with its time, then every cycle's attempts and best time, e.g.
// "今回：1回 解けた（2分10秒）　全体：3回 最速 1分6秒" ("今回：未挑戦" before the first attempt
// of the cycle). Empty for a record never marked.
std::string HistoryLine(const CycleHistory& history);

}  // namespace studyLog
