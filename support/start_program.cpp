#include "platform/outside_world.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace modFunc {

bool StartProgram(const std::string& commandLine) {
    std::string error;
    if (platform::World().StartCommandLine(commandLine, &error)) return true;
    std::string message(modConst::kMsgCannotStart);
    message += modConst::kCrLf;
    message += "  ";
    message += commandLine;
    ShowMessage(message);
    return false;
}

void ShowMessage(const std::string& text) { platform::World().ShowMessage(text); }

}  // namespace modFunc
