#include "support/jpeg_header.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace jpeg {
namespace {

constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;

class Markers {
  public:
    explicit Markers(std::string_view bytes) : bytes_(bytes) {}

    bool StartsAsJpeg() {
        if (bytes_.size() < 2 || Byte(0) != 0xFF || Byte(1) != 0xD8) return false;
        at_ = 2;
        return true;
    }

    // The next marker's code: bytes before its 0xFF, fill bytes and stuffed zeros are skipped.
    // Nothing at the end of the bytes.
    std::optional<std::uint8_t> Next() {
        for (;;) {
            at_ = std::min(bytes_.find('\xFF', at_), bytes_.size());
            while (at_ < bytes_.size() && Byte(at_) == 0xFF) ++at_;
            if (at_ >= bytes_.size()) return std::nullopt;
            const std::uint8_t code = Byte(at_++);
            if (code != 0) return code;
        }
    }

    // The two-byte number at `offset` from here; nothing past the end.
    std::optional<int> Number(std::size_t offset) const {
        if (at_ + offset + 2 > bytes_.size()) return std::nullopt;
        return Byte(at_ + offset) << 8 | Byte(at_ + offset + 1);
    }

    // Past a marker segment; a length under two counts as its own two bytes, as the library
    // takes it.
    bool SkipSegment() {
        const std::optional<int> length = Number(0);
        if (!length) return false;
        at_ += static_cast<std::size_t>(*length < 2 ? 2 : *length);
        return at_ <= bytes_.size();
    }

  private:
    std::uint8_t Byte(std::size_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

bool IsFrame(std::uint8_t code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// Markers that stand alone, with no length after them: restarts and TEM.
bool StandsAlone(std::uint8_t code) { return (code >= 0xD0 && code <= 0xD7) || code == 0x01; }

// Markers whose segment the library reads or passes over: tables, restart interval, APPn, COM,
// DNL.
bool IsKnownSegment(std::uint8_t code) {
    return code == 0xC4 || code == 0xCC || code == 0xDB || code == 0xDC || code == 0xDD ||
           (code >= 0xE0 && code <= 0xEF) || code == 0xFE;
}

// The start-of-scan markers from here to the end of the image: within the coded data every
// 0xFF byte is followed by a stuffed zero or a restart marker, so each one found is a scan.
int CountScans(Markers& markers) {
    int scans = 0;
    while (const std::optional<std::uint8_t> code = markers.Next()) {
        if (*code == kEndOfImage) break;
        if (*code == kStartOfScan) ++scans;
    }
    return scans;
}

}  // namespace

std::optional<Header> ReadHeader(std::string_view bytes) {
    Markers markers(bytes);
    if (!markers.StartsAsJpeg()) return std::nullopt;
    while (const std::optional<std::uint8_t> code = markers.Next()) {
        if (IsFrame(*code)) {
            // Length, sample precision, then the height and the width.
            const std::optional<int> height = markers.Number(3);
            const std::optional<int> width = markers.Number(5);
            if (!height || !width || *height == 0 || *width == 0) return std::nullopt;
            if (!markers.SkipSegment()) return std::nullopt;
            return Header{*width, *height, CountScans(markers)};
        }
        if (StandsAlone(*code)) continue;
        // The start of a scan or the end of the image before any frame, a second start of
        // image or a marker it does not know: the library reads no image either.
        if (!IsKnownSegment(*code) || !markers.SkipSegment()) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace jpeg
