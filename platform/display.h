#pragma once

namespace platform {

// Whether a window can be shown at all: on POSIX a display (X11 or Wayland) or a platform that
// Qt is told to use; on Windows always, since the desktop is the system's own.
bool DisplayAvailable();

}  // namespace platform
