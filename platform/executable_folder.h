#pragma once

#include <string>

namespace platform {

// The folder of the running program file, without a trailing separator (except at a root).
std::string ExecutableFolder();

}  // namespace platform
