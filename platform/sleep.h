#pragma once

namespace platform {

// Holds the calling thread for the given time.
void SleepMilliseconds(int milliseconds);

}  // namespace platform
