#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "support/shogi_position.h"

// Reading what the preview shows of a record (a .kif or .bod file): its starting position, its
// title and author, and the number of moves of its main line.
namespace record {

struct Summary {
    // The starting position; nothing when the record gives none, and then `problem` says why
    // in one line.
    std::optional<shogi::Position> position;
    std::string problem;
    std::string title;   // 表題 (or 作品名)
    std::string author;  // 作者
    int moves = 0;       // of the main line; 0 when the record holds no moves
};

// No record is larger; a longer file is not read at all beyond this.
inline constexpr std::size_t kRecordReadLimit = 256 * 1024;

// The summary of a record's bytes (the whole file).
Summary ReadRecord(std::string_view bytes);

// The summary of the record file at `path`, reading at most kRecordReadLimit bytes of it. A
// missing, unreadable or over-long file, a folder or a FIFO gives its reason.
Summary ReadRecordFile(const std::string& path);

}  // namespace record
