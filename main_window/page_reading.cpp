#include "main_window/page_reading.h"

#include <QByteArray>
#include <QIODevice>
#include <QImageReader>
#include <cstring>
#include <optional>

#include "platform/file_head.h"
#include "support/jpeg_header.h"

namespace quill {
namespace {

// The bytes of a file as a device for the image reader, which stops giving them once told to
// stop: the decoder then takes the image as ended there and finishes soon.
class StoppableBytes : public QIODevice {
  public:
    StoppableBytes(const std::string& bytes, const std::function<bool()>& stopped)
        : bytes_(bytes), stopped_(stopped) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);  // read straight from the bytes
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return static_cast<qint64>(bytes_.size()); }

  protected:
    qint64 readData(char* data, qint64 most) override {
        if (stopped_ && stopped_()) return -1;
        const qint64 left = size() - pos();
        const qint64 count = std::min(most, left);
        if (count <= 0) return 0;
        std::memcpy(data, bytes_.data() + pos(), static_cast<std::size_t>(count));
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    const std::string& bytes_;
    const std::function<bool()>& stopped_;
};

bool WithinBound(int width, int height) {
    return width <= kLargestPageSide && height <= kLargestPageSide &&
           static_cast<long long>(width) * height <= kLargestPagePixels;
}

bool StartsAsJpeg(const std::string& bytes) {
    return bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xD8';
}

// What the file's own header says against showing it; kNone when nothing does.
PageProblem CheckHeader(const std::string& bytes) {
    if (!StartsAsJpeg(bytes)) return PageProblem::kNotJpeg;
    const std::optional<jpeg::Header> header = jpeg::ReadHeader(bytes);
    if (!header) return PageProblem::kNotShown;
    if (!WithinBound(header->width, header->height)) return PageProblem::kTooLarge;
    if (header->scans > kMostPageScans) return PageProblem::kNotShown;
    return PageProblem::kNone;
}

}  // namespace

PageImage ReadPageImage(const std::string& path, QSize box, const std::function<bool()>& stopped) {
    if (path.empty()) return {QImage(), PageProblem::kNoPage};
    const platform::FileHead head = platform::ReadFileHead(path, kPageReadLimit);
    if (head.status == platform::HeadStatus::kRead && head.stamp.length > kPageReadLimit) {
        return {QImage(), PageProblem::kTooLarge};
    }
    if (!head.Whole()) return {QImage(), PageProblem::kNotShown};
    return DecodePageImage(head.bytes, box, stopped);
}

PageImage DecodePageImage(const std::string& bytes, QSize box,
                          const std::function<bool()>& stopped) {
    if (const PageProblem problem = CheckHeader(bytes); problem != PageProblem::kNone) {
        return {QImage(), problem};
    }
    StoppableBytes device(bytes, stopped);
    // The JPEG plugin alone: with a format given and detection off, the reader asks no other
    // plugin and no built-in reader, and never decides the format from the content. Without a
    // JPEG plugin, as some Qt builds for Windows are, nothing reads the page: the board and the
    // notes are shown all the same.
    QImageReader reader(&device, QByteArrayLiteral("jpeg"));
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return {QImage(), PageProblem::kNotShown};
    if (!WithinBound(size.width(), size.height())) return {QImage(), PageProblem::kTooLarge};
    // Decoded at the size shown, which for a JPEG costs a fraction of the whole; Qt's
    // allocation limit stays as it is.
    reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage page = reader.read();
    if (stopped && stopped()) return {QImage(), PageProblem::kStopped};
    if (page.isNull()) return {QImage(), PageProblem::kNotShown};
    return {std::move(page), PageProblem::kNone};
}

}  // namespace quill
