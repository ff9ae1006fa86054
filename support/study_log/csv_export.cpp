// The log's attempts as CSV: UTF-8 with a byte-order mark, a header row, the columns of the
// view `attempts`, fields quoted as RFC 4180 has them, lines ended by CR LF. A field that a
// spreadsheet would take for a formula is given a leading apostrophe, so that it reads as text.
#include "platform/ascii_case.h"
#include "platform/file_ops.h"
#include "support/modConst.h"
#include "support/study_log/study_log.h"
#include "support/utf8_escape.h"

namespace studyLog {
namespace {

constexpr int kColumns = 7;

void AppendField(std::string& line, std::string field) {
    if (!field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string::npos) {
        field.insert(0, 1, '\'');
    }
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

// Where the folder part of a path ends: at its last separator ('/' on every system).
std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of(std::string("/") + std::string(modConst::kSep));
}

std::string FolderOf(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    if (separator == std::string::npos) return ".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

// The name after the folder part, with its letters A to Z in one case.
std::string FoldedNameOf(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    for (char& c : name) c = platform::AsciiLower(c);
    return name;
}

// Whether `destination` is `file`: the same file, or (for a file not there yet) the same name
// in the same folder, compared as a file system that ignores case would.
bool IsTheFile(const std::string& destination, const std::string& file) {
    if (platform::SameEntry(destination, file)) return true;
    return FoldedNameOf(destination) == FoldedNameOf(file) &&
           platform::SameEntry(FolderOf(destination), FolderOf(file));
}

}  // namespace

bool StudyLog::ExportCsv(const std::string& destination, const std::string& book, bool replace) {
    // Nothing but an ordinary file is written; a pipe or a device is never even opened.
    const platform::EntryKind standing = platform::EntryAt(destination);
    if (IsTheFile(destination, path_) || IsTheFile(destination, path_ + "-journal")) {
        Tell(modConst::kMsgCsvIsTheLog, destination);
        return false;
    }
    if (standing != platform::EntryKind::kNothing &&
        (standing != platform::EntryKind::kFile || !platform::FileLength(destination))) {
        Tell(modConst::kMsgCsvNotAFile, destination);
        return false;
    }
    if (!replace && standing != platform::EntryKind::kNothing) {
        Tell(modConst::kMsgCsvExists, destination);
        return false;
    }
    std::string content =
        "\xEF\xBB\xBF"
        "book,record,started,marked,seconds,result,cycle\r\n";
    const bool offBefore = state_ == State::kOff;
    const bool toldBefore = readFailureShown_;
    bool read = true;
    if (platform::EntryAt(path_) != platform::EntryKind::kNothing) {
        read = Read(
            "SELECT book, record, started, marked, seconds, result, cycle FROM attempt_log "
            "WHERE ?1 = '' OR book = ?1 ORDER BY id",
            [&](sqlite::Statement& query) { query.Bind(1, utf8::Escaped(book)); },
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
    std::string reason;
    if (!platform::WriteFileReplacing(destination, content, &reason)) {
        Warn(reason);
        Tell(modConst::kMsgCsvNotWritten, destination);
        return false;
    }
    return true;
}

}  // namespace studyLog
