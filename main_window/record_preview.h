#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "main_window/page_reading.h"
#include "platform/file_head.h"
#include "support/record_reader.h"

// What the preview of a record shows: its starting position, its page image scaled down and the
// first lines of its companion text file.
namespace quill {

struct RecordPreview {
    record::Summary summary;
    QStringList notes;     // the first lines of the companion text file, if any
    std::string pagePath;  // the page image shown; empty when there is none
    QSize pageBox;         // what the page is scaled to fit, in device pixels
    // The page once read (by ReadPageImage, off the user-interface thread); nothing until then.
    std::optional<PageImage> page;
    // What the study log holds of the record, as one line; read afresh at every showing.
    QString history;
};

// No companion text is read beyond this.
inline constexpr std::size_t kNotesReadLimit = 4096;
inline constexpr int kNoteLines = 6;

// The page image of a record: its name with "jpg", or failing that the page before, as the
// page button opens it. Nothing is deleted on the way.
std::string PageImagePath(const std::string& folder, const std::string& recordName);

// Builds the preview of record `recordName` of `folder`, all but its page, which is left to be
// read to fit `pageBox` device pixels; a record with no page image has its page at once.
RecordPreview BuildPreview(const std::string& folder, const std::string& recordName, QSize pageBox);

// Previews already built, given again while the record, its companion text and its page images
// are unchanged. A page read and put into a preview given is kept with it.
class PreviewCache {
  public:
    std::shared_ptr<RecordPreview> Get(const std::string& folder, const std::string& recordName,
                                       QSize pageBox);

  private:
    struct Entry {
        std::array<std::optional<platform::FileStamp>, 4> stamps;
        QSize pageBox;
        std::shared_ptr<RecordPreview> preview;
    };
    std::map<std::string, Entry> entries_;
};

}  // namespace quill
