// Feeds arbitrary bytes to the JPEG header reader that decides whether a page image is decoded
// at all. Besides crashes and hangs it checks that a size found is one a frame can declare,
// that only a file starting as a JPEG has one, and that what follows the frame marker never
// changes the size found.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/jpeg_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::optional<jpeg::Header> header = jpeg::ReadHeader(input);
    if (!header) return 0;
    if (input.compare(0, 2, "\xFF\xD8") != 0) std::abort();
    if (header->width < 1 || header->width > 65535 || header->height < 1 ||
        header->height > 65535 || header->scans < 0) {
        std::abort();
    }
    // A second frame and a scan after the end: the first frame stands.
    const std::optional<jpeg::Header> longer =
        jpeg::ReadHeader(input + std::string("\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\xFF\xDA", 11));
    if (!longer || longer->width != header->width || longer->height != header->height) {
        std::abort();
    }
    return 0;
}
