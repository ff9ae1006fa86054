#pragma once

#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace quill {

// When "開始" last started the solving of each record in this run: kept in memory only, and
// ended by the record's next mark, so that a mark is timed from the latest start before it and
// at most once.
class AttemptTimer {
  public:
    void Start(const std::string& book, const std::string& record, std::time_t at);
    // The latest start noted for the record and not yet ended, if any.
    std::optional<std::time_t> StartOf(const std::string& book, const std::string& record) const;
    // Ends the record's timing: its next mark is not timed unless it is started again.
    void End(const std::string& book, const std::string& record);

  private:
    std::map<std::pair<std::string, std::string>, std::time_t> started_;
};

}  // namespace quill
