#include "support/folder_listing.h"

#include <iterator>

#include "platform/dir_listing.h"
#include "support/modFunc.h"

namespace modFunc {
namespace {

std::vector<std::string_view> SplitAtSemicolons(std::string_view list) {
    std::vector<std::string_view> parts;
    if (list.empty()) return parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = list.find(';', begin);
        parts.push_back(list.substr(begin, end - begin));
        if (end == std::string_view::npos) break;
        begin = end + 1;
    }
    return parts;
}

}  // namespace

// Names keep the listing's order within an extension and the list's order between extensions.
// All extensions are looked up together, so a large book is read once, not once per extension.
void ListFilesByExtensions(const std::string& folder, std::string_view extensions,
                           NameArray& names) {
    names.assign(1, std::string());
    std::vector<std::string> patterns;
    for (const std::string_view extension : SplitAtSemicolons(extensions)) {
        patterns.push_back(std::string("*.").append(extension));
    }
    if (patterns.empty()) return;
    std::vector<std::vector<std::string>> found =
        platform::FindFilesByPatterns(folder, patterns, platform::ListMask::kOrdinaryFiles);
    std::size_t total = names.size();
    for (const std::vector<std::string>& list : found) total += list.size();
    names.reserve(total);
    for (std::vector<std::string>& list : found) {
        names.insert(names.end(), std::make_move_iterator(list.begin()),
                     std::make_move_iterator(list.end()));
    }
}

void FillFolderList(const std::string& folder, outside::ListBox& list) {
    list.Clear();
    const std::vector<std::string> found =
        platform::FindFiles(JoinPath(folder, "*"), platform::ListMask::kOrdinaryFilesAndFolders);
    std::vector<std::string> subfolders;
    for (const std::string& name : found) {
        if (name == "." || name == "..") continue;
        // An entry gone since the listing reads as invalid, whose bits include the folder flag.
        const unsigned attributes = platform::GetAttributes(JoinPath(folder, name));
        if (attributes != platform::kInvalidAttributes &&
            (attributes & platform::kAttrDirectory) != 0) {
            subfolders.push_back(name);
        }
    }
    if (!subfolders.empty()) list.AppendMany(subfolders);
}

void FillListFromArray(const NameArray& names, outside::ListBox& list) {
    list.Clear();
    if (names.size() > 1) list.AppendMany(NameArray(names.begin() + 1, names.end()));
}

}  // namespace modFunc
