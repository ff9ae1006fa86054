#pragma once

#include <string>

namespace platform {

// Plays a wave file and returns only when it has finished. A missing or unplayable file, or a
// machine without a sound device, gives silence: no message, no default sound, no hang.
void PlayWaveFile(const std::string& path);

}  // namespace platform
