#pragma once

#include <string>
#include <string_view>

#include "support/utf8_text.h"

// The text of a record file, whatever its encoding.
namespace record {

// The characters of a record file's bytes. The encoding is told, in this order, by a byte-order
// mark (UTF-8, UTF-16), by a first line "#KIF version=… encoding=…", or by the bytes being
// valid UTF-8 throughout; anything else is read as Shift-JIS (code page 932). Characters that
// cannot be read come out as U+FFFD: in UTF-8 each bad byte, in Shift-JIS the whole line.
std::u32string DecodeRecordText(std::string_view bytes);

}  // namespace record
