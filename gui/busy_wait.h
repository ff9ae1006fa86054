#pragma once

#include <functional>

namespace quill {

// Runs `blocking` (a pause or a sound that holds its thread until it is over) on a thread of its
// own, and returns when it is done, as a plain call would. Meanwhile the windows go on painting
// and show a busy cursor, and the user's clicks, keys (shortcuts among them), context-menu
// requests, text from an input method and attempts to close a window are kept and delivered in
// their order once the wait is over, as a window that was blocked would have received them
// afterwards: nothing the user does is lost, and nothing runs inside the wait. A window opened
// during the wait, such as a message, takes its input at once. After a window's close nothing
// more for that window is delivered: it closes as it would have, and what the user did to it
// after closing it is not acted on; what the user did to the other windows is.
// Only the user-interface thread waits here; `blocking` runs elsewhere and is given plain data:
// no widget, no message box, no support routine that may show one.
void BusyWait(const std::function<void()>& blocking);

}  // namespace quill
