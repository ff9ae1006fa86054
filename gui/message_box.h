#pragma once

#include <string>

#include "support/user_interface.h"

namespace quill {

// A modal message box with OK only, no icon, the application title as its title. Line breaks
// given as CR LF show as one break.
class QtMessageBox : public outside::MessageService {
  public:
    void Show(const std::string& text) override;
    // To the logging category "quillmere.outside".
    void LogWarning(const std::string& text) override;
};

}  // namespace quill
