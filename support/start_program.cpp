#include "support/start_program.h"

#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/outside_world.h"

namespace modFunc {

bool StartProgram(const std::string& program, const std::string& commandLine) {
    std::string error;
    if (outside::World().StartCommandLine(program, commandLine, &error)) return true;
    // The platform's text names the command line and the reason.
    ReportFailure(modConst::kMsgCannotStart, commandLine, error);
    return false;
}

void ReportFailure(std::string_view text, const std::string& path, const std::string& reason) {
    outside::World().LogWarning(reason);
    ShowMessageNaming(text, path);
}

void ShowMessage(std::string_view text) { outside::World().ShowMessage(std::string(text)); }

void ShowMessageNaming(std::string_view text, const std::string& path) {
    std::string message(text);
    message += modConst::kCrLf;
    message += "  ";
    message += path;
    ShowMessage(message);
}

}  // namespace modFunc
