#include <windows.h>

#include <climits>
#include <string>

#include "code_page.h"
#include "text_win32.h"

namespace platform {

std::optional<std::string> DecodeCodePage932(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    // Without MB_ERR_INVALID_CHARS an undefined sequence would come out as U+30FB, which in a
    // board diagram reads as an empty square.
    const int length =
        MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length) !=
        length) {
        return std::nullopt;
    }
    return win32::Narrow(wide);
}

}  // namespace platform
