#include "platform/profile.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace modFunc {

std::string IniFilePath() {
    std::string path = JoinPath(ProgramFolder(), modConst::kAppTitle);
    path += modConst::kIniExtension;
    return path;
}

// The whole stored value comes back: a long path cut short would silently point elsewhere.
std::string ReadIniValue(const std::string& section, const std::string& key,
                         const std::string& defaultValue) {
    return platform::ReadProfileValue(section, key, defaultValue, IniFilePath());
}

// The caller tells the user; this routine only reports the failure.
bool WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                   std::string* error) {
    return platform::WriteProfileValue(section, key, value, IniFilePath(), error);
}

}  // namespace modFunc
