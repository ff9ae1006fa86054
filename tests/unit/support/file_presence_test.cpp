#include <chrono>
#include <filesystem>
#include <future>

#include "support_test_helpers.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using testing_support::ProgramFolderTest;

class FolderExistsTest : public ProgramFolderTest {};

TEST_F(FolderExistsTest, TrueOnlyForVisibleFolders) {
    const std::string books = folder.MakeFolder("my books");
    folder.MakeFolder(".hidden");
    const std::string file = folder.WriteFile("p012.kif", "x");

    EXPECT_TRUE(modFunc::FolderExists(books));
    EXPECT_TRUE(modFunc::FolderExists(books + std::string(modConst::kSep)));
    EXPECT_FALSE(modFunc::FolderExists(file));
    EXPECT_FALSE(modFunc::FolderExists(folder.Join(".hidden")));
    EXPECT_FALSE(modFunc::FolderExists(folder.Join("missing")));
    EXPECT_FALSE(modFunc::FolderExists(""));
    EXPECT_TRUE(world.messages.empty());
}

class FileExistsTest : public ProgramFolderTest {};

TEST_F(FileExistsTest, TrueOnlyForVisibleOrdinaryFiles) {
    const std::string spaced = folder.WriteFile("my book/p 012.kif", "x");
    const std::string empty = folder.WriteFile("empty.kif", "");
    folder.WriteFile(".hidden.kif", "x");

    EXPECT_TRUE(modFunc::FileExists(spaced));
    EXPECT_TRUE(modFunc::FileExists(empty));
    EXPECT_FALSE(modFunc::FileExists(folder.Join(".hidden.kif")));
    EXPECT_FALSE(modFunc::FileExists(folder.Join("my book")));
    EXPECT_FALSE(modFunc::FileExists(folder.Join("missing.kif")));
    EXPECT_FALSE(modFunc::FileExists(folder.Join("missing/p012.kif")));
    EXPECT_FALSE(modFunc::FileExists(""));
    EXPECT_TRUE(world.messages.empty());
}

#ifndef _WIN32
TEST_F(FileExistsTest, LookupErrorIsReportedWithThePath) {
    fs::create_directory_symlink(folder.Join("loop_b"), folder.Join("loop_a"));
    fs::create_directory_symlink(folder.Join("loop_a"), folder.Join("loop_b"));
    const std::string path = folder.Join("loop_a/p012.kif");

    EXPECT_FALSE(modFunc::FileExists(path));
    ASSERT_EQ(world.messages.size(), 1u);
    const std::string& message = world.messages[0];
    const std::string ending = std::string(modConst::kCrLf) + path;
    ASSERT_GT(message.size(), ending.size());
    EXPECT_EQ(message.substr(message.size() - ending.size()), ending);
}
#endif

class FileHasContentTest : public ProgramFolderTest {};

TEST_F(FileHasContentTest, OneByteFileIsKeptUnchanged) {
    const std::string path = folder.WriteFile("Tera Pad/TeraPad.exe", "x");
    EXPECT_TRUE(modFunc::FileHasContent(path));
    EXPECT_EQ(folder.ReadFile("Tera Pad/TeraPad.exe"), "x");
}

TEST_F(FileHasContentTest, ZeroByteFileIsDeleted) {
    const std::string path = folder.WriteFile("my book/p012.kif.txt", "");
    EXPECT_FALSE(modFunc::FileHasContent(path));
    EXPECT_FALSE(folder.Exists("my book/p012.kif.txt"));
    EXPECT_TRUE(folder.Exists("my book"));
}

TEST_F(FileHasContentTest, MissingFileIsNotCreated) {
    EXPECT_FALSE(modFunc::FileHasContent(folder.Join("p012.kif")));
    EXPECT_FALSE(folder.Exists("p012.kif"));
    EXPECT_FALSE(modFunc::FileHasContent(folder.Join("missing/p012.kif")));
    EXPECT_FALSE(folder.Exists("missing"));
    EXPECT_FALSE(modFunc::FileHasContent(""));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(FileHasContentTest, FolderIsLeftAlone) {
    const std::string empty = folder.MakeFolder("empty folder");
    EXPECT_FALSE(modFunc::FileHasContent(empty));
    EXPECT_FALSE(modFunc::FileHasContent(empty + std::string(modConst::kSep)));
    EXPECT_TRUE(folder.Exists("empty folder"));
}

#ifndef _WIN32
TEST_F(FileHasContentTest, DeviceIsLeftAlone) {
    EXPECT_FALSE(modFunc::FileHasContent("/dev/null"));
    EXPECT_TRUE(fs::exists("/dev/null"));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(FileHasContentTest, FifoWithoutWriterNeitherBlocksNorIsDeleted) {
    const std::string fifo = folder.Join("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    auto answer = std::async(std::launch::async, [&] { return modFunc::FileHasContent(fifo); });
    if (answer.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "FileHasContent blocked on a FIFO";
        // Release the blocked open so the test can end.
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
    }
    EXPECT_FALSE(answer.get());
    EXPECT_TRUE(folder.Exists("pipe"));
}

TEST_F(FileHasContentTest, LinkToEmptyFileLeavesTheTargetAlone) {
    const std::string target = folder.WriteFile("target.txt", "");
    fs::create_symlink(target, folder.Join("link.txt"));
    EXPECT_FALSE(modFunc::FileHasContent(folder.Join("link.txt")));
    EXPECT_TRUE(folder.Exists("target.txt"));
}
#endif

}  // namespace
