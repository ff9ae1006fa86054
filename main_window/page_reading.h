#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <functional>
#include <string>

// Reading a record's page image for the preview. Page images are JPEG files by the program's
// own rules, so they are read as JPEG only: no other image format, whatever the file holds,
// and no other image plugin is ever asked. It uses no widget and shows no message, so it may
// run on any thread.
namespace quill {

// No page image is read beyond this.
inline constexpr std::size_t kPageReadLimit = 32 * 1024 * 1024;

// The largest page shown. A3 scanned at 600 dpi, the finest setting book scanners commonly
// offer, is 7016 x 9921 pixels (a spread of two A4 pages the same, turned): any page of a book
// fits. The JPEG library's own working memory, which Qt's allocation limit does not count,
// grows with the declared size (a progressive file keeps two bytes for every sample), and so
// does the time to decode even at a reduced size: past this bound both would be hundreds of
// megabytes and seconds for what the popup shows in 360 x 500 pixels.
inline constexpr int kLargestPageSide = 10000;
inline constexpr long long kLargestPagePixels = 72'000'000;
// A progressive JPEG has about ten scans; each more costs a pass over the whole image.
inline constexpr int kMostPageScans = 100;

enum class PageProblem {
    kNone,      // the page is shown
    kNoPage,    // the record has no page image
    kNotJpeg,   // the file does not hold a JPEG image
    kTooLarge,  // it declares more than the program shows
    kNotShown,  // it cannot be read or decoded
    kStopped,   // the reading was stopped before the end
};

struct PageImage {
    QImage image;  // scaled to fit the box asked for; null when there is none to show
    PageProblem problem = PageProblem::kNoPage;
};

// Reads the JPEG image at `path` scaled to fit `box` device pixels. `stopped`, when given, is
// asked as the file is decoded; once it answers true, the reading ends soon with kStopped.
PageImage ReadPageImage(const std::string& path, QSize box,
                        const std::function<bool()>& stopped = {});

// The same for the bytes of a page image already read.
PageImage DecodePageImage(const std::string& bytes, QSize box,
                          const std::function<bool()>& stopped = {});

}  // namespace quill
