#pragma once

#include <string>
#include <vector>

namespace platform {

// Splits the argument part of a command line by the Windows rules (those of the C runtime):
// blanks separate arguments; double quotes group; 2n backslashes before a quote give n
// backslashes and the quote acts; 2n+1 give n and a literal quote; "" inside quotes gives a
// quote and the quoted text goes on (the runtime's rule since 2008; shell32's
// CommandLineToArgvW ends the quotes there instead); other backslashes are literal; "" alone is
// an empty argument.
std::vector<std::string> SplitCommandLine(const std::string& arguments);

}  // namespace platform
