#pragma once

#include <string>

class QLineEdit;

namespace quill {

// A path box shows its path as text. A stored path that the text cannot carry (one that is not
// valid UTF-8) shows with U+FFFD for the bad bytes and keeps its own bytes in the box; they are
// the box's path for as long as it shows that text unchanged, so the path reaches the command
// line and the settings file byte for byte.
void SetPathText(QLineEdit& box, const std::string& path);
std::string PathText(const QLineEdit& box);

}  // namespace quill
