#include "common/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "common/test_paths.h"

namespace fs = std::filesystem;

namespace testing_support {

TempFolder::TempFolder() {
    std::random_device device;
    std::mt19937_64 random(device());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("quill-test-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = TextOf(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Make everything writable again first, so read-only test folders can go too.
    for (auto it = fs::recursive_directory_iterator(
             PathOf(path_), fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ignored;
        if (!it->is_symlink(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }
    fs::remove_all(PathOf(path_), ec);
}

std::string TempFolder::Join(const std::string& relative) const {
    std::string result = path_;
    result += kSep;
    for (char c : relative) result += (c == '/') ? kSep[0] : c;
    return result;
}

std::string TempFolder::WriteFile(const std::string& relative, const std::string& content) const {
    const std::string full = Join(relative);
    fs::create_directories(PathOf(full).parent_path());
    std::ofstream out(PathOf(full), std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + full);
    return full;
}

std::string TempFolder::MakeFolder(const std::string& relative) const {
    const std::string full = Join(relative);
    fs::create_directories(PathOf(full));
    return full;
}

std::string TempFolder::ReadFile(const std::string& relative) const {
    std::ifstream in(PathOf(Join(relative)), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempFolder::Exists(const std::string& relative) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(PathOf(Join(relative)), ec));
}

}  // namespace testing_support
