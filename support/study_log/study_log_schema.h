#pragma once

#include "support/study_log/sqlite_database.h"

// The study log's tables and views, by version (PRAGMA user_version). A log is only ever
// migrated forward: a log of a later version than this program knows is left as it is.
namespace studyLog {

// The version this program writes.
inline constexpr int kSchemaVersion = 4;

// The version a log's file says it has, or nothing when it cannot be read.
std::optional<int> SchemaVersionOf(sqlite::Database& database, sqlite::Result* result);

// Whether the tables, views, indexes and triggers of the log are exactly those the program makes
// at `version`, nothing more, nothing else; a damaged log (Fault::kDamaged) when they are not,
// and for a version below 0 or past kSchemaVersion.
sqlite::Result CheckOwnSchema(sqlite::Database& database, int version);

// Brings the log up to `target` (at most kSchemaVersion) in one transaction, which waits for
// other writers. A log already there, or beyond it, is left as it is; `found` gets the version
// the log had. A log below 0, or whose tables are not the program's own, is damaged.
sqlite::Result MigrateForward(sqlite::Database& database, int* found, int target = kSchemaVersion);

}  // namespace studyLog
