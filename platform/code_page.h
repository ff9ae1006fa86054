#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The UTF-8 form of text in code page 932 (Shift-JIS as Windows has it), or nothing when `bytes`
// hold a sequence that the code page does not define. Done by the system on Windows and by iconv
// elsewhere, as the text converters of the windows read this code page only on some builds.
std::optional<std::string> DecodeCodePage932(std::string_view bytes);

}  // namespace platform
