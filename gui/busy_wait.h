#pragma once

#include <functional>

namespace quill {

// Runs `blocking` (a pause or a sound that holds its thread until it is over) on a thread of its
// own, and returns when it is done, as a plain call would. Meanwhile the windows go on painting
// and show a busy cursor, and the user's clicks, keys and attempts to close a window are kept
// and delivered in their order once the wait is over, as a window that was blocked would have
// received them afterwards: nothing the user does is lost, and nothing runs inside the wait.
void BusyWait(const std::function<void()>& blocking);

}  // namespace quill
