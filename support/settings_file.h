#pragma once

#include <string>
#include <string_view>

// The settings file, "Quillmere.ini" in the program folder, read and written with the Windows
// profile rules.
namespace modFunc {

// Program folder, separator, "Quillmere.ini".
std::string IniFilePath();
// The whole stored value of `key` in `section`, or `defaultValue` when there is none: a long path
// cut short would silently point elsewhere.
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::string& defaultValue);
// Gives false, with a description in `error` when given, when the file could not be written; the
// caller tells the user.
bool WriteIniValue(std::string_view section, std::string_view key, const std::string& value,
                   std::string* error = nullptr);

}  // namespace modFunc
