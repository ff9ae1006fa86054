#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_head.h"
#include "support/record_reader.h"

// What the preview of a record shows: its starting position, its page image scaled down and the
// first lines of its companion text file.
namespace quill {

struct RecordPreview {
    record::Summary summary;
    QImage page;          // scaled to fit the box asked for; null when there is none to show
    QString pageProblem;  // why no page is shown, when none is
    QStringList notes;    // the first lines of the companion text file, if any
};

// No page scan is read beyond this, nor any companion text beyond its own limit.
inline constexpr std::size_t kPageReadLimit = 32 * 1024 * 1024;
inline constexpr std::size_t kNotesReadLimit = 4096;
inline constexpr int kNoteLines = 6;

// The page image of a record: its name with "jpg", or failing that the page before, as the
// page button opens it. Nothing is deleted on the way.
std::string PageImagePath(const std::string& folder, const std::string& recordName);

// Builds the preview of record `recordName` of `folder`, the page scaled to fit `pageBox`
// device pixels.
RecordPreview BuildPreview(const std::string& folder, const std::string& recordName, QSize pageBox);

// Previews already built, given again while the record, its companion text and its page images
// are unchanged.
class PreviewCache {
  public:
    std::shared_ptr<const RecordPreview> Get(const std::string& folder,
                                             const std::string& recordName, QSize pageBox);

  private:
    struct Entry {
        std::array<std::optional<platform::FileStamp>, 4> stamps;
        QSize pageBox;
        std::shared_ptr<const RecordPreview> preview;
    };
    std::map<std::string, Entry> entries_;
};

}  // namespace quill
