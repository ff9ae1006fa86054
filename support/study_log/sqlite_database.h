#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A small owner of SQLite's handles: a database, a prepared statement, a transaction. Every
// failure becomes a Result whose message reads "cannot DO FILE: SQLite's own text".
namespace sqlite {

// What kind of failure a step met, as far as the program tells them apart.
enum class Fault {
    kNone,
    kBusy,         // another connection held the file past the busy timeout
    kFull,         // the disk (or the file system's limit) is full
    kNotWritable,  // the file or its folder cannot be written, or the file cannot be made
    kDamaged,      // not a database, or a damaged one
    kOther,
};

struct Result {
    Fault fault = Fault::kNone;
    std::string message;  // empty when there is no fault
    explicit operator bool() const { return fault == Fault::kNone; }
};

class Database;

// One prepared statement of a database. Parameters are numbered from 1, columns from 0.
class Statement {
  public:
    Statement() = default;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    void Bind(int index, std::string_view text);
    void Bind(int index, std::int64_t value);
    void Bind(int index, std::optional<std::int64_t> value);
    void BindNull(int index);

    // Steps to the next row: true while one is there; false at the end, or on a failure that
    // result() then gives.
    bool Next();
    // Steps to the end, for a statement that gives no rows.
    Result Run();
    const Result& result() const { return result_; }

    int Columns() const;
    std::string Text(int column) const;
    // The same without a copy, valid until the next step.
    std::string_view TextView(int column) const;
    std::optional<std::int64_t> Integer(int column) const;

  private:
    friend class Database;
    Statement(Database* database, sqlite3_stmt* statement, Result result);
    void Check(int code);

    Database* database_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    Result result_;
};

// An open database file, closed when it goes.
class Database {
  public:
    enum class Open { kExisting, kCreate };

    Database() = default;
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Opens the file at `path` (UTF-8) for reading and writing; with kCreate makes it when it is
    // missing. A file that cannot be written is opened for reading only.
    static Result OpenFile(const std::string& path, Open mode, Database* database);
    bool is_open() const { return handle_ != nullptr; }
    const std::string& path() const { return path_; }
    void Close();

    // Prepares one statement; a failure is kept in the statement and given by each step.
    Statement Prepare(std::string_view sql);
    // Runs every statement of `sql` in turn, up to the first that fails.
    Result Execute(std::string_view sql);
    // How long a statement waits for another connection's lock before it fails as busy.
    Result SetBusyTimeout(int milliseconds);
    // Lets nothing the file holds run: no trigger, no view, no function its tables name that
    // could have effects, and no statement that could damage the file's structure. For a file
    // that may come from anyone.
    Result TrustNothingInTheFile();

    // The Result of SQLite's last failure on this database, for a step that failed with `code`.
    Result Failure(int code, std::string_view doing) const;

  private:
    sqlite3* handle_ = nullptr;
    std::string path_;
};

// A transaction that takes the write lock when it begins (waiting up to the busy timeout) and
// is rolled back when it goes uncommitted.
class Transaction {
  public:
    explicit Transaction(Database& database);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    // Whether the transaction began.
    const Result& begun() const { return begun_; }
    Result Commit();

  private:
    Database& database_;
    Result begun_;
    bool open_ = false;
};

}  // namespace sqlite
