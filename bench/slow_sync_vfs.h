#pragma once

// A SQLite file system over the system's own whose every flush to the disk takes at least a given
// time, as on a USB stick or a network drive: registered as the default, so that every
// connection opened after it uses it.
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace quill_bench {

inline int gSyncMilliseconds = 0;
inline sqlite3_vfs* gRealVfs = nullptr;
// Each kind of file the real system opens (the database, its journal) has its own methods: each
// gets a copy whose flush is slowed.
inline constexpr int kKinds = 8;
inline const sqlite3_io_methods* gReal[kKinds] = {};
inline sqlite3_io_methods gSlow[kKinds];

inline int SlowSync(sqlite3_file* file, int flags) {
    std::this_thread::sleep_for(std::chrono::milliseconds(gSyncMilliseconds));
    for (int kind = 0; kind < kKinds; ++kind) {
        if (file->pMethods == &gSlow[kind]) return gReal[kind]->xSync(file, flags);
    }
    return SQLITE_IOERR_FSYNC;
}

inline int SlowOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    const int opened = gRealVfs->xOpen(gRealVfs, name, file, flags, outFlags);
    if (opened != SQLITE_OK || file->pMethods == nullptr) return opened;
    for (int kind = 0; kind < kKinds; ++kind) {
        if (gReal[kind] == nullptr) {
            gReal[kind] = file->pMethods;
            gSlow[kind] = *file->pMethods;
            gSlow[kind].xSync = SlowSync;
        }
        if (gReal[kind] == file->pMethods) {
            file->pMethods = &gSlow[kind];
            break;
        }
    }
    return opened;
}

// Makes every flush take `milliseconds` more.
inline void SlowFlushes(int milliseconds) {
    static sqlite3_vfs slow;
    gSyncMilliseconds = milliseconds;
    if (gRealVfs != nullptr) return;
    gRealVfs = sqlite3_vfs_find(nullptr);
    slow = *gRealVfs;
    slow.zName = "quill-slow-sync";
    slow.xOpen = SlowOpen;
    sqlite3_vfs_register(&slow, 1);
}

}  // namespace quill_bench
