// The Windows program finds its folder from its own program file: the books lie in "book" beside
// that folder, named with the system's drive letters and backslashes.
#include <filesystem>

#include "common/test_paths.h"
#include "gui/main_window/main_window_fixture.h"
#include "platform/executable_folder.h"

namespace {

namespace fs = std::filesystem;

using testing_support::PathOf;

TEST_F(MainWindowTest, TheBookRootLiesBesideTheProgramFilesFolder) {
    modFunc::OverrideProgramFolder("");
    const std::string programFolder = modFunc::ProgramFolder();
    EXPECT_EQ(programFolder, platform::ExecutableFolder());
    ASSERT_GT(programFolder.size(), 3u);
    EXPECT_EQ(programFolder.substr(1, 2), ":\\") << programFolder;
    EXPECT_EQ(programFolder.find('/'), std::string::npos) << programFolder;

    // A book of its own in the book root beside the test program's folder, removed afterwards.
    const std::string book = "本 " + std::to_string(fs::hash_value(PathOf(temp.path())));
    const fs::path bookFolder = PathOf(programFolder).parent_path() /
                                PathOf(std::string(modConst::kBookFolderName)) / PathOf(book);
    fs::create_directories(bookFolder);
    struct Remove {
        fs::path path;
        ~Remove() {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
    } removeAfterwards{bookFolder};

    Start();
    EXPECT_TRUE(Entries(Books()).contains(QString::fromStdString(book)));
}

}  // namespace
