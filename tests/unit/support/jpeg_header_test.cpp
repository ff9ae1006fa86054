// The JPEG header reader finds the frame the JPEG library would decode, and no other.
#include "support/jpeg_header.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) bytes += static_cast<char>(value);
    return bytes;
}

const std::string kStart = Bytes({0xFF, 0xD8});
// A frame of 300 x 200 pixels, one component.
const std::string kFrame =
    Bytes({0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0xC8, 0x01, 0x2C, 0x01, 0x01, 0x11, 0x00});
const std::string kScan = Bytes({0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x12,
                                 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56});
const std::string kEnd = Bytes({0xFF, 0xD9});

struct HeaderCase {
    const char* name;
    std::string bytes;
    int width;  // 0: no header
    int scans;
};

class JpegHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(JpegHeaderTest, FindsTheFrameTheLibraryDecodes) {
    const HeaderCase& row = GetParam();
    const std::optional<jpeg::Header> header = jpeg::ReadHeader(row.bytes);
    ASSERT_EQ(header.has_value(), row.width != 0);
    if (!header) return;
    EXPECT_EQ(header->width, row.width);
    EXPECT_EQ(header->height, 200);
    EXPECT_EQ(header->scans, row.scans);
}

// A thumbnail in an EXIF segment, whose own frame says 160 x 120, ahead of the page's frame.
const std::string kExif = Bytes({0xFF, 0xE1, 0x00, 0x14, 'E',  'x',  'i',  'f',  0,    0,    0xFF,
                                 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x78, 0x00, 0xA0, 0x01});

INSTANTIATE_TEST_SUITE_P(
    Headers, JpegHeaderTest,
    testing::Values(
        HeaderCase{"Plain", kStart + kFrame + kScan + kEnd, 300, 1},
        HeaderCase{"ProgressiveScansCounted", kStart + kFrame + kScan + kScan + kScan + kEnd, 300,
                   3},
        HeaderCase{"NoScanAfterTheEnd", kStart + kFrame + kScan + kEnd + kScan, 300, 1},
        HeaderCase{"AThumbnailsFramePassedOver", kStart + kExif + kFrame + kScan, 300, 1},
        // The library passes over stray bytes and fill bytes before a marker.
        HeaderCase{"StrayAndFillBytes", kStart + Bytes({0x12, 0xFF, 0xFF, 0x00}) + kFrame, 300, 0},
        HeaderCase{"NotAJpeg", Bytes({0x89, 'P', 'N', 'G'}) + kFrame, 0, 0},
        HeaderCase{"CutInTheFrame", kStart + kFrame.substr(0, 8), 0, 0},
        HeaderCase{"ScanBeforeTheFrame", kStart + kScan + kFrame, 0, 0},
        HeaderCase{"SegmentLongerThanTheFile", kStart + Bytes({0xFF, 0xE0, 0x7F, 0xFF}) + kFrame, 0,
                   0},
        HeaderCase{"NoHeightYet",
                   kStart + Bytes({0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x00, 0x01, 0x2C, 0x01, 0x01,
                                   0x11, 0x00}),
                   0, 0}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

}  // namespace
