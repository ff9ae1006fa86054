#include <iconv.h>

#include <cerrno>
#include <string>

#include "code_page.h"

namespace platform {

std::optional<std::string> DecodeCodePage932(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    const iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    // A character of code page 932 takes one or two bytes and at most three in UTF-8: a
    // half-width katakana grows from one byte to three. Room for that is made at once, and
    // should the converter ever want more, the text grows and the conversion goes on.
    std::string text(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t written = 0;
    bool failed = false;
    while (inLeft != 0) {
        char* out = text.data() + written;
        std::size_t outLeft = text.size() - written;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        written = text.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) break;
        // A sequence cut short at the end (EINVAL) is as undefined as a wrong one (EILSEQ).
        if (errno != E2BIG) {
            failed = true;
            break;
        }
        text.resize(text.size() * 2);
    }
    iconv_close(converter);
    if (failed || inLeft != 0) return std::nullopt;
    text.resize(written);
    return text;
}

}  // namespace platform
