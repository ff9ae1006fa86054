#pragma once

#include <sqlite3.h>

// The functions of SQLite the study log calls, as one table. On Linux the library is loaded
// the first time a log is opened (sqlite_library_loaded.cpp), so that a start, and a user who
// keeps no log, never maps it; the Windows build has SQLite linked in (sqlite_library_linked.cpp).
namespace sqlite {

// clang-format off
#define QUILL_SQLITE_FUNCTIONS(X)                                                          \
    X(open_v2) X(close_v2) X(extended_result_codes) X(busy_timeout) X(db_config)           \
    X(errmsg) X(errstr) X(prepare_v2) X(finalize) X(sql) X(stmt_readonly) X(step)          \
    X(bind_text64) X(bind_int64) X(bind_null)                                              \
    X(column_count) X(column_type) X(column_text) X(column_bytes) X(column_int64)
// clang-format on

struct Library {
#define QUILL_SQLITE_MEMBER(name) decltype(&sqlite3_##name) name;
    QUILL_SQLITE_FUNCTIONS(QUILL_SQLITE_MEMBER)
#undef QUILL_SQLITE_MEMBER
};

// The file name the library is loaded by, for a message when it cannot be.
extern const char* const kLibraryName;

// SQLite's functions, or nullptr when the library is not installed.
const Library* Loaded();

}  // namespace sqlite
