#pragma once

#include <dirent.h>

#include <cstddef>
#include <string>

namespace quill_bench {

// A plain read of a folder, the baseline a listing is measured against: the number of entries
// `opendir`/`readdir` give.
inline std::size_t PlainRead(const std::string& folder) {
    std::size_t count = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (readdir(dir) != nullptr) ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace quill_bench
