#pragma once

#include <string>

namespace quill {

// The paths of the four outside programs as the settings hold them, for the windows that start
// those programs. The settings window implements it.
class ToolPaths {
  public:
    virtual std::string KifFWinPath() const = 0;
    virtual std::string KShogiPath() const = 0;
    virtual std::string UWSCPath() const = 0;
    virtual std::string TerapadPath() const = 0;

  protected:
    ~ToolPaths() = default;
};

}  // namespace quill
