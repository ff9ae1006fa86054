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
inline sqlite3_io_methods gSlowMethods;
inline const sqlite3_io_methods* gRealMethods = nullptr;

// The file as the real system opened it, followed by room for nothing else: the real file's
// methods are called on the same structure.
inline int SlowSync(sqlite3_file* file, int flags) {
    std::this_thread::sleep_for(std::chrono::milliseconds(gSyncMilliseconds));
    return gRealMethods->xSync(file, flags);
}

inline int SlowOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags,
                    int* outFlags) {
    const int opened = gRealVfs->xOpen(gRealVfs, name, file, flags, outFlags);
    if (opened == SQLITE_OK && file->pMethods != nullptr) {
        if (gRealMethods == nullptr) {
            gRealMethods = file->pMethods;
            gSlowMethods = *gRealMethods;
            gSlowMethods.xSync = SlowSync;
        }
        if (file->pMethods == gRealMethods) file->pMethods = &gSlowMethods;
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
