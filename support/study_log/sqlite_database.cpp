#include "support/study_log/sqlite_database.h"

#include <atomic>
#include <utility>

#include "support/study_log/sqlite_library.h"

namespace sqlite {
namespace {

// SQLite's functions, set by the first database opened: nothing calls them before.
std::atomic<const Library*> library{nullptr};
const Library& Api() { return *library.load(std::memory_order_relaxed); }

Result NotOpen(const std::string& path) {
    return {Fault::kOther, "cannot read " + path + ": not open"};
}

Fault FaultOf(int code) {
    switch (code & 0xff) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE:
            return Fault::kNone;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Fault::kBusy;
        case SQLITE_FULL:
            return Fault::kFull;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN:
        case SQLITE_AUTH:
            return Fault::kNotWritable;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return Fault::kDamaged;
        default:
            return Fault::kOther;
    }
}

// Whether a statement only reads. SQLite counts BEGIN, COMMIT and ROLLBACK as reading, as they
// change nothing themselves; a failure of theirs is a failure to write.
bool OnlyReads(sqlite3_stmt* statement) {
    if (statement == nullptr || Api().stmt_readonly(statement) == 0) return false;
    const std::string_view sql = Api().sql(statement);
    for (std::string_view control : {"BEGIN", "COMMIT", "ROLLBACK", "END"}) {
        if (sql.substr(0, control.size()) == control) return false;
    }
    return true;
}

}  // namespace

// ---- Statement ----------------------------------------------------------------------------

Statement::Statement(Database* database, sqlite3_stmt* statement, Result result)
    : database_(database), statement_(statement), result_(std::move(result)) {}

Statement::Statement(Statement&& other) noexcept
    : database_(other.database_),
      statement_(std::exchange(other.statement_, nullptr)),
      result_(std::move(other.result_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        if (statement_ != nullptr) Api().finalize(statement_);
        database_ = other.database_;
        statement_ = std::exchange(other.statement_, nullptr);
        result_ = std::move(other.result_);
    }
    return *this;
}

Statement::~Statement() {
    if (statement_ != nullptr) Api().finalize(statement_);
}

void Statement::Check(int code) {
    if (!result_ || FaultOf(code) == Fault::kNone) return;
    result_ = database_->Failure(code, OnlyReads(statement_) ? "read" : "write");
}

void Statement::Bind(int index, std::string_view text) {
    if (!result_) return;
    Check(Api().bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8));
}

void Statement::Bind(int index, std::int64_t value) {
    if (!result_) return;
    Check(Api().bind_int64(statement_, index, value));
}

void Statement::Bind(int index, std::optional<std::int64_t> value) {
    if (value) {
        Bind(index, *value);
    } else {
        BindNull(index);
    }
}

void Statement::BindNull(int index) {
    if (!result_) return;
    Check(Api().bind_null(statement_, index));
}

bool Statement::Next() {
    if (!result_) return false;
    const int code = Api().step(statement_);
    if (code == SQLITE_ROW) return true;
    if (code != SQLITE_DONE) Check(code);
    return false;
}

Result Statement::Run() {
    while (Next()) {
    }
    return result_;
}

int Statement::Columns() const {
    return statement_ != nullptr ? Api().column_count(statement_) : 0;
}

std::string Statement::Text(int column) const {
    const unsigned char* text = Api().column_text(statement_, column);
    if (text == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(Api().column_bytes(statement_, column)));
}

std::string_view Statement::TextView(int column) const {
    const unsigned char* text = Api().column_text(statement_, column);
    if (text == nullptr) return {};
    return std::string_view(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(Api().column_bytes(statement_, column)));
}

std::optional<std::int64_t> Statement::Integer(int column) const {
    if (Api().column_type(statement_, column) == SQLITE_NULL) return std::nullopt;
    return Api().column_int64(statement_, column);
}

// ---- Database -----------------------------------------------------------------------------

Database::Database(Database&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), path_(std::move(other.path_)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

Database::~Database() { Close(); }

void Database::Close() {
    // Every statement is finalized by its owner first; close_v2 would wait for them otherwise.
    if (handle_ != nullptr) Api().close_v2(std::exchange(handle_, nullptr));
}

Result Database::OpenFile(const std::string& path, Open mode, Database* database) {
    database->Close();
    database->path_ = path;
    const Library* loaded = Loaded();
    if (loaded == nullptr) {
        return {Fault::kOther, "cannot open " + path + ": " + kLibraryName + " is not installed"};
    }
    library.store(loaded, std::memory_order_relaxed);
    // A connection is used by one thread at a time, so SQLite need not lock it at every call.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Open::kCreate) flags |= SQLITE_OPEN_CREATE;
    const int code = Api().open_v2(path.c_str(), &database->handle_, flags, nullptr);
    if (code == SQLITE_OK) {
        Api().extended_result_codes(database->handle_, 1);
        return {};
    }
    Result failure = database->Failure(code, "open");
    database->Close();
    return failure;
}

Result Database::Failure(int code, std::string_view doing) const {
    const char* text = handle_ != nullptr ? Api().errmsg(handle_) : Api().errstr(code);
    return {FaultOf(code), "cannot " + std::string(doing) + " " + path_ + ": " + text};
}

Statement Database::Prepare(std::string_view sql) {
    if (handle_ == nullptr) return Statement(this, nullptr, NotOpen(path_));
    sqlite3_stmt* statement = nullptr;
    const int code =
        Api().prepare_v2(handle_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (code != SQLITE_OK) return Statement(this, nullptr, Failure(code, "read"));
    return Statement(this, statement, {});
}

Result Database::Execute(std::string_view sql) {
    if (handle_ == nullptr) return NotOpen(path_);
    while (true) {
        const char* rest = nullptr;
        sqlite3_stmt* raw = nullptr;
        const int code =
            Api().prepare_v2(handle_, sql.data(), static_cast<int>(sql.size()), &raw, &rest);
        if (code != SQLITE_OK) return Failure(code, "read");
        if (raw == nullptr) return {};  // only blanks and comments were left
        Statement statement(this, raw, {});
        if (Result result = statement.Run(); !result) return result;
        sql.remove_prefix(static_cast<std::size_t>(rest - sql.data()));
    }
}

Result Database::SetBusyTimeout(int milliseconds) {
    if (handle_ == nullptr) return NotOpen(path_);
    const int code = Api().busy_timeout(handle_, milliseconds);
    return code == SQLITE_OK ? Result{} : Failure(code, "open");
}

Result Database::TrustNothingInTheFile() {
    if (handle_ == nullptr) return NotOpen(path_);
    struct Setting {
        int option;
        int value;
    };
    static constexpr Setting kSettings[] = {
        {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0},
        {SQLITE_DBCONFIG_ENABLE_VIEW, 0},
        {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},
        {SQLITE_DBCONFIG_DEFENSIVE, 1},
    };
    for (const Setting& setting : kSettings) {
        int now = -1;
        const int code = Api().db_config(handle_, setting.option, setting.value, &now);
        if (code != SQLITE_OK) return Failure(code, "open");
        if (now != setting.value) {
            return {Fault::kOther, "cannot open " + path_ + ": SQLite refused a setting"};
        }
    }
    return {};
}

// ---- Transaction --------------------------------------------------------------------------

Transaction::Transaction(Database& database) : database_(database) {
    begun_ = database_.Execute("BEGIN IMMEDIATE");
    open_ = static_cast<bool>(begun_);
}

Transaction::~Transaction() {
    if (open_) database_.Execute("ROLLBACK");
}

Result Transaction::Commit() {
    if (!open_) return begun_;
    Result result = database_.Execute("COMMIT");
    // A commit that failed as busy leaves the transaction open; it is rolled back here.
    if (result) open_ = false;
    return result;
}

}  // namespace sqlite
