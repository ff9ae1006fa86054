#include "support/settings_file.h"

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
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::string& defaultValue) {
    return platform::ReadProfileValue(std::string(section), std::string(key), defaultValue,
                                      IniFilePath());
}

// The caller tells the user; this routine only reports the failure.
bool WriteIniValue(std::string_view section, std::string_view key, const std::string& value,
                   std::string* error) {
    return platform::WriteProfileValue(std::string(section), std::string(key), value, IniFilePath(),
                                       error);
}

}  // namespace modFunc
