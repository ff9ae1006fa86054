#pragma once

#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of its life.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // path() + separator + relative ('/' in `relative` is turned into the separator).
    std::string Join(const std::string& relative) const;
    // Creates a file (and its folders) holding `content`; gives its full path.
    std::string WriteFile(const std::string& relative, const std::string& content) const;
    // Creates a folder (and its parents); gives its full path.
    std::string MakeFolder(const std::string& relative) const;
    std::string ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

  private:
    std::string path_;
};

}  // namespace testing_support
