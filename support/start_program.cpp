#include "platform/outside_world.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace modFunc {

bool StartProgram(const std::string& program, const std::string& commandLine) {
    std::string error;
    if (platform::World().StartCommandLine(program, commandLine, &error)) return true;
    platform::LogWarning("Could not start " + commandLine + ": " + error);
    ShowMessageNaming(modConst::kMsgCannotStart, commandLine);
    return false;
}

void ShowMessage(const std::string& text) { platform::World().ShowMessage(text); }

void ShowMessageNaming(std::string_view text, const std::string& path) {
    std::string message(text);
    message += modConst::kCrLf;
    message += "  ";
    message += path;
    ShowMessage(message);
}

}  // namespace modFunc
