#include "main_window/record_preview.h"

#include <array>

#include "gui/text_conversion.h"
#include "support/modConst.h"
#include "support/modFunc.h"
#include "support/record_text.h"
#include "support/utf8_text.h"

namespace quill {
namespace {

constexpr std::size_t kMapLimit = 512;  // previews kept; a larger library starts afresh
constexpr int kLongestNoteLine = 40;

// The name with its last extension replaced by "jpg"; empty for a name without a period.
std::string ImageName(const std::string& recordName) {
    const std::size_t period = recordName.rfind('.');
    if (period == std::string::npos) return {};
    return recordName.substr(0, period + 1) + std::string(modConst::kImageExtension);
}

// The two page images a record may have, the first the one of its own name.
std::array<std::string, 2> PageCandidates(const std::string& folder,
                                          const std::string& recordName) {
    const std::string first = ImageName(recordName);
    if (first.empty()) return {};
    const std::string second = modFunc::PreviousPageImage(first);
    return {modFunc::JoinPath(folder, first),
            second.empty() ? std::string() : modFunc::JoinPath(folder, second)};
}

bool HasContent(const std::string& path) {
    const std::optional<platform::FileStamp> stamp = platform::StampOf(path);
    return stamp && stamp->length > 0;
}

QStringList ReadNotes(const std::string& path) {
    const platform::FileHead head = platform::ReadFileHead(path, kNotesReadLimit);
    if (head.status != platform::HeadStatus::kRead || head.bytes.empty()) return {};
    const std::u32string text = record::DecodeRecordText(head.bytes);
    QStringList lines = ToQt(utf8::ToUtf8(text)).split(u'\n');
    if (!head.Whole() && lines.size() > 1) lines.removeLast();  // cut short at the limit
    QStringList notes;
    for (QString& line : lines) {
        if (notes.size() == kNoteLines) break;
        if (line.endsWith(u'\r')) line.chop(1);
        notes << (line.size() > kLongestNoteLine ? line.left(kLongestNoteLine) + u'…' : line);
    }
    while (!notes.isEmpty() && notes.last().trimmed().isEmpty()) notes.removeLast();
    return notes;
}

}  // namespace

std::string PageImagePath(const std::string& folder, const std::string& recordName) {
    for (const std::string& candidate : PageCandidates(folder, recordName)) {
        if (!candidate.empty() && HasContent(candidate)) return candidate;
    }
    return {};
}

RecordPreview BuildPreview(const std::string& folder, const std::string& recordName,
                           QSize pageBox) {
    RecordPreview preview;
    const std::string path = modFunc::JoinPath(folder, recordName);
    preview.summary = record::ReadRecordFile(path);
    preview.notes = ReadNotes(path + std::string(modConst::kCompanionSuffix));
    preview.pagePath = PageImagePath(folder, recordName);
    preview.pageBox = pageBox;
    if (preview.pagePath.empty()) preview.page = PageImage{QImage(), PageProblem::kNoPage};
    return preview;
}

std::shared_ptr<RecordPreview> PreviewCache::Get(const std::string& folder,
                                                 const std::string& recordName, QSize pageBox) {
    const std::string path = modFunc::JoinPath(folder, recordName);
    const std::array<std::string, 2> pages = PageCandidates(folder, recordName);
    std::array<std::optional<platform::FileStamp>, 4> stamps = {
        platform::StampOf(path), platform::StampOf(path + std::string(modConst::kCompanionSuffix)),
        pages[0].empty() ? std::nullopt : platform::StampOf(pages[0]),
        pages[1].empty() ? std::nullopt : platform::StampOf(pages[1])};
    const auto found = entries_.find(path);
    if (found != entries_.end() && found->second.stamps == stamps &&
        found->second.pageBox == pageBox) {
        return found->second.preview;
    }
    if (entries_.size() >= kMapLimit) entries_.clear();
    auto preview = std::make_shared<RecordPreview>(BuildPreview(folder, recordName, pageBox));
    entries_[path] = {stamps, pageBox, preview};
    return preview;
}

}  // namespace quill
