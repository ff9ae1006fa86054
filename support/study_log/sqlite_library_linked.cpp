#include "support/study_log/sqlite_library.h"

namespace sqlite {

const char* const kLibraryName = "SQLite";

const Library* Loaded() {
#define QUILL_SQLITE_ADDRESS(name) &sqlite3_##name,
    static const Library library{QUILL_SQLITE_FUNCTIONS(QUILL_SQLITE_ADDRESS)};
#undef QUILL_SQLITE_ADDRESS
    return &library;
}

}  // namespace sqlite
