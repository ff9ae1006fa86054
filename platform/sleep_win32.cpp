#include <windows.h>

#include "sleep.h"

namespace platform {

void SleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace platform
