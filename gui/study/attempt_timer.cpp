#include "gui/study/attempt_timer.h"

namespace quill {

void AttemptTimer::Start(const std::string& book, const std::string& record, std::time_t at) {
    started_[{book, record}] = at;
}

std::optional<std::time_t> AttemptTimer::StartOf(const std::string& book,
                                                 const std::string& record) const {
    const auto found = started_.find({book, record});
    if (found == started_.end()) return std::nullopt;
    return found->second;
}

void AttemptTimer::End(const std::string& book, const std::string& record) {
    started_.erase({book, record});
}

}  // namespace quill
