#include "command_line_split.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

// The rules of the current Microsoft C runtime, which the programs started on Windows apply to
// the same text; splitting it the same way here hands a POSIX program the same arguments.
std::vector<std::string> SplitCommandLine(const std::string& arguments) {
    std::vector<std::string> result;
    std::size_t i = 0;
    const std::size_t end = arguments.size();

    while (true) {
        while (i < end && IsBlank(arguments[i])) ++i;
        if (i == end) break;

        std::string argument;
        bool inQuotes = false;
        while (i < end) {
            std::size_t backslashes = 0;
            while (i < end && arguments[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < end && arguments[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (inQuotes && i + 1 < end && arguments[i + 1] == '"') {
                    // A doubled quote inside quotes stands for one quote, and the quotes go on.
                    argument += '"';
                    ++i;
                } else {
                    inQuotes = !inQuotes;
                }
                ++i;
                continue;
            }
            argument.append(backslashes, '\\');
            if (i == end || (!inQuotes && IsBlank(arguments[i]))) break;
            argument += arguments[i++];
        }
        result.push_back(std::move(argument));
    }
    return result;
}

}  // namespace platform
