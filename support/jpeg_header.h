#pragma once

#include <optional>
#include <string_view>

// What a JPEG file declares of itself, read from its markers alone, before any decoder sees it.
// The markers are walked as the JPEG library walks them (bytes between markers skipped, fill
// bytes and stuffed zeros passed over), so the frame found is the one it would decode.
namespace jpeg {

struct Header {
    int width = 0;  // as the frame (SOF) marker declares them; never 0
    int height = 0;
    int scans = 0;  // start-of-scan markers up to the end of the image or of the bytes
};

// The header of the JPEG image in `bytes`; nothing when the bytes do not start as a JPEG does,
// or when the file ends, breaks off or holds what the JPEG library refuses before its frame
// marker, or declares a frame of no width or no height (one whose height comes later).
std::optional<Header> ReadHeader(std::string_view bytes);

}  // namespace jpeg
