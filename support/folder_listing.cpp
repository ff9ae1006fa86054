#include "platform/dir_listing.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace modFunc {
namespace {

std::vector<std::string> SplitAtSemicolons(const std::string& list) {
    std::vector<std::string> parts;
    if (list.empty()) return parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = list.find(';', begin);
        parts.push_back(list.substr(begin, end - begin));
        if (end == std::string::npos) break;
        begin = end + 1;
    }
    return parts;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    std::string path = folder;
    path += modConst::kSep;
    path += name;
    return path;
}

}  // namespace

// Names keep the listing's order within an extension and the list's order between extensions.
void ListFilesByExtensions(const std::string& folder, const std::string& extensions,
                           NameArray& names) {
    names.assign(1, std::string());
    for (const std::string& extension : SplitAtSemicolons(extensions)) {
        const std::vector<std::string> found = platform::FindFiles(
            InFolder(folder, "*." + extension), platform::ListMask::OrdinaryFiles);
        names.insert(names.end(), found.begin(), found.end());
    }
}

void FillFolderList(const std::string& folder, platform::ListBox& list) {
    list.Clear();
    const std::vector<std::string> found =
        platform::FindFiles(InFolder(folder, "*"), platform::ListMask::OrdinaryFilesAndFolders);
    std::vector<std::string> subfolders;
    for (const std::string& name : found) {
        if (name == "." || name == "..") continue;
        // An entry gone since the listing reads as invalid, whose bits include the folder flag.
        const unsigned attributes = platform::GetAttributes(InFolder(folder, name));
        if (attributes != platform::kInvalidAttributes &&
            (attributes & platform::kAttrDirectory) != 0) {
            subfolders.push_back(name);
        }
    }
    if (!subfolders.empty()) list.AppendMany(subfolders);
}

void FillListFromArray(const NameArray& names, platform::ListBox& list) {
    list.Clear();
    if (names.size() > 1) list.AppendMany(NameArray(names.begin() + 1, names.end()));
}

}  // namespace modFunc
