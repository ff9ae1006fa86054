#pragma once

#include <sys/stat.h>

#include <string>

namespace platform::posix {

// Opens an existing regular file for reading and gives its descriptor (close-on-exec), or -1.
// Never blocks and never opens a FIFO, a device or a folder. `info` receives the file's status.
int OpenRegularFile(const std::string& path, struct stat* info);

}  // namespace platform::posix
