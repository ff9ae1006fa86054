#include "support/program_folder.h"

#include "platform/executable_folder.h"

#include "support/modFunc.h"

namespace modFunc {
namespace {

// Set only by tests, which run the program's routines on a throwaway program folder.
std::string& OverriddenFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

std::string ProgramFolder() {
    const std::string& overridden = OverriddenFolder();
    return overridden.empty() ? platform::ExecutableFolder() : overridden;
}

void OverrideProgramFolder(const std::string& folder) { OverriddenFolder() = folder; }

}  // namespace modFunc
