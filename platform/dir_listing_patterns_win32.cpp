#include <string>
#include <vector>

#include "dir_listing.h"

namespace platform {

// The system lists by one pattern at a time, so each pattern is its own lookup here.
std::vector<std::vector<std::string>> FindFilesByPatterns(
    const std::string& folder, const std::vector<std::string>& namePatterns, ListMask mask,
    std::string* error) {
    if (error != nullptr) error->clear();
    std::vector<std::vector<std::string>> found;
    found.reserve(namePatterns.size());
    for (const std::string& pattern : namePatterns) {
        std::string fault;
        found.push_back(FindFiles(folder + "\\" + pattern, mask, &fault));
        if (error != nullptr && error->empty()) *error = fault;
    }
    return found;
}

}  // namespace platform
