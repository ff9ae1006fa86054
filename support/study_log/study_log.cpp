#include "support/study_log/study_log.h"

#include <cstdio>
#include <utility>

#include "platform/file_ops.h"
#include "platform/local_time.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"
#include "support/study_log/study_log_schema.h"
#include "support/utf8_escape.h"

namespace studyLog {
namespace {

// The page cache, in KiB: the log's queries read little, and the program's memory is tight.
constexpr const char* kSettings = "PRAGMA synchronous = FULL; PRAGMA cache_size = -256";

std::string Stamp(const char* format, std::time_t time) {
    const std::tm local = platform::LocalTime(time);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

// A name for a damaged log beside it that nothing has yet.
std::string AsideName(const std::string& path, std::time_t now) {
    const std::string stem =
        modFunc::JoinPath(modFunc::ParentFolder(path), modConst::kStudyLogAsidePrefix) +
        Stamp("%Y%m%d-%H%M%S", now);
    const std::string extension(modConst::kStudyLogAsideExtension);
    std::string name = stem + extension;
    for (int n = 2; platform::EntryAt(name) != platform::EntryKind::kNothing && n < 100; ++n) {
        name = stem + "-" + std::to_string(n) + extension;
    }
    return name;
}

}  // namespace

const char* OutcomeText(Outcome outcome) {
    switch (outcome) {
        case Outcome::kSolved:
            return "solved";
        case Outcome::kFailed:
            return "failed";
        case Outcome::kGaveUp:
            break;
    }
    return "gave up";
}

std::optional<Outcome> OutcomeOf(std::string_view text) {
    for (Outcome outcome : {Outcome::kSolved, Outcome::kFailed, Outcome::kGaveUp}) {
        if (text == OutcomeText(outcome)) return outcome;
    }
    return std::nullopt;
}

std::string LocalTimeText(std::time_t time) { return Stamp("%Y-%m-%dT%H:%M:%S", time); }

void TellNotices(const std::vector<Notice>& notices) {
    for (const Notice& notice : notices) {
        if (notice.kind == Notice::Kind::kWarning) {
            outside::World().LogWarning(notice.text);
        } else {
            modFunc::ShowMessageNaming(notice.text, notice.path);
        }
    }
}

StudyLog::StudyLog(std::string path, int busyMilliseconds, int readBusyMilliseconds)
    : path_(std::move(path)),
      busyMilliseconds_(busyMilliseconds),
      readBusyMilliseconds_(readBusyMilliseconds) {}

std::string StudyLog::DefaultPath() {
    return modFunc::JoinPath(modFunc::ProgramFolder(), modConst::kStudyLogFile);
}

void StudyLog::Tell(std::string_view message, const std::string& path) {
    notices_.push_back({Notice::Kind::kMessage, std::string(message), path});
    if (!keepNotices_) TellNotices(TakeNotices());
}

void StudyLog::Warn(const std::string& reason) {
    notices_.push_back({Notice::Kind::kWarning, reason, {}});
    if (!keepNotices_) TellNotices(TakeNotices());
}

std::time_t StudyLog::Now() const {
    return keepNotices_ ? now_.value_or(0) : now_.value_or(outside::World().Now());
}

sqlite::Database* StudyLog::Connect(bool create) {
    if (state_ == State::kOff) return nullptr;
    if (state_ != State::kOpen && !Open(create)) return nullptr;
    // Reading for the window waits only a moment for another program's lock: the list goes on
    // without its marks. An attempt waits long enough for another copy to finish writing.
    const sqlite::Result waiting =
        database_.SetBusyTimeout(create ? busyMilliseconds_ : readBusyMilliseconds_);
    if (!waiting) {
        database_.Close();
        state_ = State::kClosed;
        Fail(waiting, create);
        return nullptr;
    }
    return &database_;
}

bool StudyLog::Open(bool create) {
    // Reading a log that is not there makes none; nor does reading an empty file, which is no
    // log until the first attempt.
    if (!create && (platform::EntryAt(path_) == platform::EntryKind::kNothing ||
                    platform::FileLength(path_) == std::optional<std::uint64_t>(0))) {
        return false;
    }
    sqlite::Result result = sqlite::Database::OpenFile(
        path_, create ? sqlite::Database::Open::kCreate : sqlite::Database::Open::kExisting,
        &database_);
    if (result) result = database_.TrustNothingInTheFile();
    if (result)
        result = database_.SetBusyTimeout(create ? busyMilliseconds_ : readBusyMilliseconds_);
    if (!result) {
        database_.Close();
        Fail(result, create);
        return false;
    }
    if (!Configure(create) || !Migrate(create)) {
        database_.Close();
        return false;
    }
    state_ = State::kOpen;
    return true;
}

bool StudyLog::Configure(bool writing) {
    // A rollback journal beside the file: a program folder on a USB stick or a network drive
    // cannot share the memory a write-ahead log needs. Reading the mode reads the file's header,
    // which is where a file that is no database shows.
    sqlite::Result result = database_.Execute("PRAGMA journal_mode = DELETE");
    if (result) result = database_.Execute(kSettings);
    if (!result) Fail(result, writing);
    return static_cast<bool>(result);
}

// A log cut short still has its first page, which tells how many pages there should be.
sqlite::Result StudyLog::CheckLength() {
    sqlite::Statement pages =
        database_.Prepare("SELECT page_count * page_size FROM pragma_page_count, pragma_page_size");
    const std::int64_t expected = pages.Next() ? pages.Integer(0).value_or(0) : 0;
    if (!pages.result()) return pages.result();
    const std::optional<std::uint64_t> length = platform::FileLength(path_);
    // SQLite takes a file too short for its header for an empty database: a few bytes that are
    // not a log are damage, not a log to make anew in their place.
    if (length && *length > 0 && expected == 0) {
        return {sqlite::Fault::kDamaged, "cannot read " + path_ + ": the file holds " +
                                             std::to_string(*length) + " bytes and no database"};
    }
    if (length && *length < static_cast<std::uint64_t>(expected)) {
        return {sqlite::Fault::kDamaged, "cannot read " + path_ + ": the file holds " +
                                             std::to_string(*length) + " of its " +
                                             std::to_string(expected) + " bytes"};
    }
    return {};
}

bool StudyLog::Migrate(bool writing) {
    // The length, the version and the tables, read together under a read lock, so that no
    // other copy of the program is growing or migrating the file meanwhile.
    sqlite::Result result = database_.Execute("BEGIN");
    int found = 0;
    if (result) result = CheckLength();
    if (result) found = SchemaVersionOf(database_, &result).value_or(0);
    // A version below 0 is damage; one past this program's is left alone below.
    if (result && found <= kSchemaVersion) result = CheckOwnSchema(database_, found);
    const sqlite::Result ended = database_.Execute(result ? "COMMIT" : "ROLLBACK");
    if (result) result = ended;
    if (result && found < kSchemaVersion) result = MigrateForward(database_, &found);
    if (!result) {
        Fail(result, writing);
        return false;
    }
    if (found > kSchemaVersion) {
        // Made by a later version of the program: left exactly as it is, for the run.
        Warn(path_ + ": the log is of version " + std::to_string(found) +
             ", this program knows up to " + std::to_string(kSchemaVersion));
        SwitchOff(modConst::kMsgStudyLogNewer);
        return false;
    }
    return true;
}

void StudyLog::SwitchOff(std::string_view message) {
    database_.Close();
    state_ = State::kOff;
    offMessage_ = message;
    Tell(message, path_);
}

void StudyLog::SetAside() {
    database_.Close();
    state_ = State::kClosed;
    const std::string aside = AsideName(path_, Now());
    std::string reason;
    bool moved = platform::MoveToNewName(path_, aside, &reason);
    // A journal left beside the damaged file goes with it, so that a new log never takes it up.
    const std::string journal = path_ + "-journal";
    if (moved && platform::EntryAt(journal) != platform::EntryKind::kNothing) {
        moved = platform::MoveToNewName(journal, aside + "-journal", &reason);
    }
    if (!moved) {
        Warn("cannot move " + path_ + " to " + aside + ": " + reason);
        SwitchOff(modConst::kMsgStudyLogDamaged);
        return;
    }
    ++setAsideCount_;
    Tell(modConst::kMsgStudyLogSetAside, aside);
}

void StudyLog::Fail(const sqlite::Result& result, bool writing) {
    Warn(result.message);
    if (result.fault == sqlite::Fault::kDamaged) {
        SetAside();
        return;
    }
    if (!writing) {
        // Reading happens at every list and preview: once is enough to tell.
        if (!std::exchange(readFailureShown_, true)) {
            Tell(result.fault == sqlite::Fault::kBusy ? modConst::kMsgStudyLogBusyReading
                                                      : modConst::kMsgStudyLogUnreadable,
                 path_);
        }
        return;
    }
    switch (result.fault) {
        case sqlite::Fault::kBusy:
            Tell(modConst::kMsgStudyLogBusy, path_);
            break;
        case sqlite::Fault::kFull:
            Tell(modConst::kMsgStudyLogFull, path_);
            break;
        default:
            Tell(modConst::kMsgStudyLogNotWritten, path_);
            break;
    }
}

bool StudyLog::Write(const std::function<sqlite::Result(sqlite::Database&)>& step) {
    // A log found damaged on the way is set aside, and the step is tried once more on a new log.
    for (int pass = 0; pass < 2; ++pass) {
        if (state_ == State::kOff) {
            Tell(offMessage_, path_);
            return false;
        }
        const int setAsideBefore = setAsideCount_;
        if (sqlite::Database* database = Connect(true)) {
            const sqlite::Result result = step(*database);
            if (result) return true;
            Fail(result, true);
        }
        if (setAsideCount_ == setAsideBefore || state_ == State::kOff) return false;
    }
    return false;
}

bool StudyLog::Record(const std::string& book, const std::string& record, Outcome outcome,
                      std::optional<std::time_t> started) {
    const std::time_t now = Now();
    // A start after the mark (the clock was set back) times nothing.
    if (started && *started > now) started.reset();
    return Write([&](sqlite::Database& database) {
        sqlite::Transaction transaction(database);
        if (!transaction.begun()) return transaction.begun();
        const std::string marked = LocalTimeText(now);
        sqlite::Statement cycle = database.Prepare(
            "INSERT OR IGNORE INTO cycle_log (book, cycle, started) VALUES (?1, 1, ?2)");
        cycle.Bind(1, utf8::Escaped(book));
        cycle.Bind(2, started ? LocalTimeText(*started) : marked);
        if (sqlite::Result result = cycle.Run(); !result) return result;
        sqlite::Statement insert = database.Prepare(
            "INSERT INTO attempt_log (book, record, started, marked, seconds, result, cycle) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, "
            "(SELECT max(cycle) FROM cycle_log WHERE book = ?1))");
        insert.Bind(1, utf8::Escaped(book));
        insert.Bind(2, utf8::Escaped(record));
        if (started) {
            insert.Bind(3, LocalTimeText(*started));
            insert.Bind(5, static_cast<std::int64_t>(now - *started));
        }
        insert.Bind(4, marked);
        insert.Bind(6, OutcomeText(outcome));
        if (sqlite::Result result = insert.Run(); !result) return result;
        return transaction.Commit();
    });
}

bool StudyLog::SetRetentionPercent(int percent) {
    if (percent < kLeastRetentionPercent || percent > kGreatestRetentionPercent) return false;
    if (RetentionPercent() == percent) return true;
    return Write([&](sqlite::Database& database) {
        sqlite::Statement keep = database.Prepare(
            "INSERT INTO review_settings (id, retention_percent) VALUES (1, ?1) "
            "ON CONFLICT (id) DO UPDATE SET retention_percent = excluded.retention_percent");
        keep.Bind(1, static_cast<std::int64_t>(percent));
        return keep.Run();
    });
}

bool StudyLog::StartNewCycle(const std::string& book) {
    const std::string now = LocalTimeText(Now());
    return Write([&](sqlite::Database& database) {
        sqlite::Transaction transaction(database);
        if (!transaction.begun()) return transaction.begun();
        // The next cycle, unless the current one has no attempts yet; the first when none.
        sqlite::Statement insert = database.Prepare(
            "INSERT INTO cycle_log (book, cycle, started) "
            "SELECT ?1, (SELECT coalesce(max(cycle), 0) + 1 FROM cycle_log WHERE book = ?1), ?2 "
            "WHERE NOT EXISTS (SELECT 1 FROM cycle_log AS c WHERE c.book = ?1 "
            "AND c.cycle = (SELECT max(cycle) FROM cycle_log WHERE book = ?1) "
            "AND NOT EXISTS (SELECT 1 FROM attempt_log AS a WHERE a.book = ?1 "
            "AND a.cycle = c.cycle))");
        insert.Bind(1, utf8::Escaped(book));
        insert.Bind(2, now);
        if (sqlite::Result result = insert.Run(); !result) return result;
        return transaction.Commit();
    });
}

}  // namespace studyLog
