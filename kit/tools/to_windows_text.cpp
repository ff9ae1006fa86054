// Converts a UTF-8 text file of the program folder kit into what the Japanese Windows editors
// and the script runner expect: the Windows Japanese code page (932, Shift-JIS) with CR LF line
// ends. A character that has no form in that code page stops the conversion, naming its line,
// rather than turning into a question mark.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

#ifdef _WIN32
std::optional<std::string> ToCodePage932(const std::string& utf8) {
    if (utf8.empty()) return std::string();
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                               static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), wideLength);
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, out.data(), length,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}
#else
std::optional<std::string> ToCodePage932(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = utf8;
    std::string out(in.size() * 2 + 16, '\0');  // a character never grows beyond two bytes
    char* inPointer = in.data();
    std::size_t inLeft = in.size();
    char* outPointer = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: to_windows_text INPUT OUTPUT\n");
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "to_windows_text: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string text((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // a byte order mark has no place

    std::string converted;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        std::size_t end = text.find('\n', start);
        const bool hasBreak = end != std::string::npos;
        if (!hasBreak) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::optional<std::string> windowsLine = ToCodePage932(line);
        if (!windowsLine) {
            std::fprintf(stderr,
                         "%s:%d: not valid UTF-8, or a character without a Shift-JIS form\n",
                         argv[1], lineNumber);
            return 1;
        }
        converted += *windowsLine;
        if (hasBreak) converted += "\r\n";
        start = end + 1;
    }

    std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
    output.write(converted.data(), static_cast<std::streamsize>(converted.size()));
    output.close();
    if (!output) {
        std::fprintf(stderr, "to_windows_text: cannot write %s\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
