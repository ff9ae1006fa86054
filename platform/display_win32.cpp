#include "display.h"

namespace platform {

bool DisplayAvailable() { return true; }

}  // namespace platform
