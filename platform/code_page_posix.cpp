#include <iconv.h>

#include <cerrno>
#include <string>

#include "code_page.h"

namespace platform {

std::optional<std::string> DecodeCodePage932(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    const iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    // A character of code page 932 takes one or two bytes and at most three in UTF-8.
    std::string text(bytes.size() * 3 / 2 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = text.data();
    std::size_t outLeft = text.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    // A sequence cut short at the end (EINVAL) is as undefined as a wrong one (EILSEQ).
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    text.resize(text.size() - outLeft);
    return text;
}

}  // namespace platform
