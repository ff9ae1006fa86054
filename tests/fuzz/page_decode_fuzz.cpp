// Feeds arbitrary bytes to the page image decoding of the preview, with Qt's JPEG plugin
// behind it. Besides crashes and hangs it checks that a page comes back only when nothing is
// said against it, and never larger than the box asked for.

#include <QSize>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main_window/page_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const QSize box(360, 500);
    const quill::PageImage page = quill::DecodePageImage(input, box);
    if (page.image.isNull() != (page.problem != quill::PageProblem::kNone)) std::abort();
    if (page.image.width() > box.width() || page.image.height() > box.height()) std::abort();
    return 0;
}
