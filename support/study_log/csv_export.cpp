// The log's attempts as CSV: UTF-8 with a byte-order mark, a header row, the columns of the
// view `attempts`, fields quoted as RFC 4180 has them, lines ended by CR LF.
#include <filesystem>
#include <fstream>

#include "platform/file_ops.h"
#include "support/modConst.h"
#include "support/study_log/study_log.h"

namespace studyLog {
namespace {

constexpr int kColumns = 6;

void AppendField(std::string& line, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        line += field;
        return;
    }
    line += '"';
    for (char c : field) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

bool WriteWhole(const std::string& destination, const std::string& content) {
    const std::filesystem::path path(std::u8string(destination.begin(), destination.end()));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

bool StudyLog::ExportCsv(const std::string& destination, const std::string& book, bool replace) {
    if (!replace && platform::EntryAt(destination) != platform::EntryKind::kNothing) {
        Tell(modConst::kMsgCsvExists, destination);
        return false;
    }
    std::string content =
        "\xEF\xBB\xBF"
        "book,record,started,marked,seconds,result\r\n";
    const bool offBefore = state_ == State::kOff;
    const bool toldBefore = readFailureShown_;
    bool read = true;
    if (platform::EntryAt(path_) != platform::EntryKind::kNothing) {
        read = Read(
            "SELECT book, record, started, marked, seconds, result FROM attempts "
            "WHERE ?1 = '' OR book = ?1",
            [&](sqlite::Statement& query) { query.Bind(1, book); },
            [&](const sqlite::Statement& row) {
                for (int column = 0; column < kColumns; ++column) {
                    if (column > 0) content += ',';
                    AppendField(content, row.Text(column));
                }
                content += modConst::kCrLf;
            });
    }
    // No file is made from part of a log; a reason told before is told again.
    if (!read) {
        if (offBefore) Tell(offMessage_, path_);
        if (!offBefore && state_ != State::kOff && toldBefore) {
            Tell(modConst::kMsgStudyLogUnreadable, path_);
        }
        return false;
    }
    if (!WriteWhole(destination, content)) {
        Warn("cannot write " + destination);
        Tell(modConst::kMsgCsvNotWritten, destination);
        return false;
    }
    return true;
}

}  // namespace studyLog
