#pragma once

#include <string>

namespace platform {

// Reads and writes one value of an initialisation file, with the rules of the Windows profile
// functions: section and key names match regardless of case; blanks around a value are dropped;
// a value in one pair of single or double quotes loses them; a missing file, section or key
// gives the default. Values come back at their full length.
std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& file);

// Stores the value under the key, creating the file and the section when they are missing,
// replacing the line of an existing key in place, and keeping every other line as it was. The
// file is replaced whole and safely (a temporary file, then a rename), so a crash never leaves
// it half written; only a file in a folder that takes no new file is written in place. A file
// that is a symbolic link stays one: the file it leads to is written, and made if missing.
// Gives false, with a description in `error` when given, when it could not be written.
bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file, std::string* error = nullptr);

}  // namespace platform
