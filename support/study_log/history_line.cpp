#include "support/study_log/history_line.h"

#include "support/modConst.h"

namespace studyLog {

std::string_view OutcomeLabel(Outcome outcome) {
    switch (outcome) {
        case Outcome::kSolved:
            return modConst::kOutcomeSolved;
        case Outcome::kFailed:
            return modConst::kOutcomeFailed;
        case Outcome::kGaveUp:
            break;
    }
    return modConst::kOutcomeGaveUp;
}

std::string DurationText(std::int64_t seconds) {
    std::string text;
    if (seconds >= 3600) {
        text += std::to_string(seconds / 3600);
        text += modConst::kDurationHours;
    }
    if (seconds >= 60) {
        text += std::to_string(seconds % 3600 / 60);
        text += modConst::kDurationMinutes;
    }
    text += std::to_string(seconds % 60);
    text += modConst::kDurationSeconds;
    return text;
}

std::string HistoryLine(const RecordHistory& history) {
    if (history.attempts == 0 || !history.last) return {};
    std::string line = std::to_string(history.attempts);
    line += modConst::kHistoryTimesSuffix;
    line += modConst::kHistoryGap;
    line += modConst::kHistoryLast;
    line += OutcomeLabel(*history.last);
    if (history.lastSeconds) {
        line += modConst::kHistoryTimeOpen;
        line += DurationText(*history.lastSeconds);
        line += modConst::kHistoryTimeClose;
    }
    if (history.bestSeconds) {
        line += modConst::kHistoryGap;
        line += modConst::kHistoryBest;
        line += DurationText(*history.bestSeconds);
    }
    return line;
}

std::string HistoryLine(const CycleHistory& history) {
    if (history.cycle <= 1) return HistoryLine(history.all);
    if (history.all.attempts == 0) return {};
    std::string line(modConst::kHistoryThisCycle);
    if (history.inCycle.attempts == 0 || !history.inCycle.last) {
        line += modConst::kResultsUntried;
    } else {
        line += std::to_string(history.inCycle.attempts);
        line += modConst::kHistoryTimesSuffix;
        line += ' ';
        line += OutcomeLabel(*history.inCycle.last);
        if (history.inCycle.lastSeconds) {
            line += modConst::kHistoryTimeOpen;
            line += DurationText(*history.inCycle.lastSeconds);
            line += modConst::kHistoryTimeClose;
        }
    }
    line += modConst::kHistoryGap;
    line += modConst::kHistoryAllCycles;
    line += std::to_string(history.all.attempts);
    line += modConst::kHistoryTimesSuffix;
    if (history.all.bestSeconds) {
        line += ' ';
        line += modConst::kHistoryBest;
        line += DurationText(*history.all.bestSeconds);
    }
    return line;
}

}  // namespace studyLog
