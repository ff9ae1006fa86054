#include "platform/file_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

using testing_support::TempFolder;
namespace fs = std::filesystem;

std::vector<std::string> EntriesOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReadOnlyFileTest, OpensAnExistingFileOnly) {
    TempFolder folder;
    const std::string file = folder.WriteFile("p001.kif", "record");
    std::optional<platform::ReadOnlyFile> opened = platform::ReadOnlyFile::Open(file);
    ASSERT_TRUE(opened.has_value());
    opened->Close();
    opened->Close();  // a second close does nothing

    EXPECT_FALSE(platform::ReadOnlyFile::Open(folder.Join("missing.kif")).has_value());
    EXPECT_FALSE(folder.Exists("missing.kif"));
    EXPECT_FALSE(platform::ReadOnlyFile::Open(folder.path()).has_value());
    EXPECT_FALSE(platform::ReadOnlyFile::Open("").has_value());
}

TEST(FileOpsTest, FileLengthCountsBytes) {
    TempFolder folder;
    EXPECT_EQ(platform::FileLength(folder.WriteFile("three.txt", "abc")), 3u);
    EXPECT_EQ(platform::FileLength(folder.WriteFile("empty.txt", "")), 0u);
    EXPECT_FALSE(platform::FileLength(folder.Join("missing.txt")).has_value());
    EXPECT_FALSE(platform::FileLength(folder.path()).has_value());
}

TEST(FileOpsTest, DeleteRemovesFilesButNeverFolders) {
    TempFolder folder;
    const std::string file = folder.WriteFile("empty.kif.txt", "");
    EXPECT_TRUE(platform::DeleteFileAt(file));
    EXPECT_FALSE(folder.Exists("empty.kif.txt"));
    EXPECT_FALSE(platform::DeleteFileAt(file));

    const std::string sub = folder.MakeFolder("sub");
    EXPECT_FALSE(platform::DeleteFileAt(sub));
    EXPECT_TRUE(folder.Exists("sub"));
}

// A companion is made from the template only where nothing stands at its name: notes that
// exist are never replaced, whatever their permissions.
TEST(CopyToNewFileTest, CopiesToANewFileAndNeverReplacesOne) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template text\n");
    ASSERT_TRUE(platform::CopyToNewFile(from, folder.Join("p001.kif.txt")));
    EXPECT_EQ(folder.ReadFile("p001.kif.txt"), "template text\n");

    folder.WriteFile("p002.kif.txt", "notes of my own");
    EXPECT_FALSE(platform::CopyToNewFile(from, folder.Join("p002.kif.txt")));
    EXPECT_EQ(folder.ReadFile("p002.kif.txt"), "notes of my own");
    EXPECT_EQ(EntriesOf(folder.path()),
              (std::vector<std::string>{"Template.txt", "p001.kif.txt", "p002.kif.txt"}));
}

// A read-only template would give notes the editor cannot save.
TEST(MoveToNewNameTest, RenamesAndNeverReplacesWhatStandsThere) {
    TempFolder folder;
    const std::string from = folder.WriteFile("記録.sqlite", "log");
    const std::string taken = folder.WriteFile("taken.sqlite", "other");
    std::string reason;
    EXPECT_FALSE(platform::MoveToNewName(from, taken, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(folder.ReadFile("taken.sqlite"), "other");
    ASSERT_TRUE(platform::MoveToNewName(from, folder.Join("退避 済.sqlite")));
    EXPECT_EQ(EntriesOf(folder.path()).size(), 2u);
    EXPECT_EQ(folder.ReadFile("退避 済.sqlite"), "log");
}

TEST(CopyToNewFileTest, ANewFileIsNeverReadOnly) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template text\n");
    fs::permissions(from, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string to = folder.Join("p001.kif.txt");
    ASSERT_TRUE(platform::CopyToNewFile(from, to));
    EXPECT_NE(fs::status(to).permissions() & fs::perms::owner_write, fs::perms::none);
    fs::permissions(from, fs::perms::owner_write, fs::perm_options::add);
}

TEST(EntryAtTest, TellsWhatStandsAtAPath) {
    TempFolder folder;
    EXPECT_EQ(platform::EntryAt(folder.WriteFile("notes.txt", "x")), platform::EntryKind::kFile);
    EXPECT_EQ(platform::EntryAt(folder.MakeFolder("sub")), platform::EntryKind::kFolder);
    EXPECT_EQ(platform::EntryAt(folder.Join("missing.txt")), platform::EntryKind::kNothing);
    EXPECT_EQ(platform::EntryAt(folder.Join("missing/x.txt")), platform::EntryKind::kNothing);
    EXPECT_EQ(platform::EntryAt(""), platform::EntryKind::kNothing);
}

TEST(CopyToNewFileTest, AFailedCopyLeavesNothingBehind) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template text\n");
    folder.WriteFile("occupied/inside.txt", "keep");
    const std::vector<std::string> before = EntriesOf(folder.path());

    EXPECT_FALSE(platform::CopyToNewFile(folder.Join("missing.txt"), folder.Join("copy.txt")));
    EXPECT_FALSE(platform::CopyToNewFile(folder.path(), folder.Join("copy.txt")));
    EXPECT_FALSE(platform::CopyToNewFile(from, folder.Join("no such folder/copy.txt")));
    // A folder in the way: the copy is made, then cannot take its place.
    EXPECT_FALSE(platform::CopyToNewFile(from, folder.Join("occupied")));

    EXPECT_EQ(EntriesOf(folder.path()), before);
    EXPECT_EQ(folder.ReadFile("occupied/inside.txt"), "keep");
}

#ifndef _WIN32

// The result of `action`, run on a thread of its own, or nothing when it has not ended within
// the time. A call that blocks is left behind, so the fault shows as a failure rather than as a
// test that never ends.
std::optional<bool> ResultWithin(std::chrono::seconds limit, std::function<bool()> action) {
    std::packaged_task<bool()> task(std::move(action));
    std::future<bool> result = task.get_future();
    std::thread(std::move(task)).detach();
    if (result.wait_for(limit) != std::future_status::ready) return std::nullopt;
    return result.get();
}

TEST(ReadOnlyFileTest, FifosDevicesAndFoldersFailWithoutBlocking) {
    TempFolder folder;
    const std::string fifo = folder.Join("pipe.kif");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const auto opens = [](std::string path) {
        return ResultWithin(std::chrono::seconds(10),
                            [path] { return platform::ReadOnlyFile::Open(path).has_value(); });
    };
    EXPECT_EQ(opens(fifo), std::optional<bool>(false));
    EXPECT_EQ(opens("/dev/null"), std::optional<bool>(false));
    EXPECT_EQ(opens(folder.path()), std::optional<bool>(false));
    EXPECT_FALSE(platform::FileLength(fifo).has_value());
}

TEST(CopyToNewFileTest, AFifoSourceFailsWithoutBlocking) {
    TempFolder folder;
    const std::string fifo = folder.Join("pipe.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string to = folder.Join("copy.txt");
    EXPECT_EQ(ResultWithin(std::chrono::seconds(10),
                           [fifo, to] { return bool(platform::CopyToNewFile(fifo, to)); }),
              std::optional<bool>(false));
    EXPECT_FALSE(folder.Exists("copy.txt"));
}

// The rename that puts a copy in place needs only the folder's permission; what stands at the
// destination must still be a file we may write, as it must on Windows.
TEST(CopyToNewFileTest, AFifoIsNotReplaced) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template text\n");
    const std::string fifo = folder.Join("pipe.kif.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(platform::CopyToNewFile(from, fifo));
    struct stat info;
    ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"Template.txt", "pipe.kif.txt"}));
}

TEST(CopyToNewFileTest, AReadOnlyFileIsNotReplaced) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template text\n");
    const std::string locked = folder.WriteFile("locked.kif.txt", "notes nobody may change");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    if (access(locked.c_str(), W_OK) == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    EXPECT_FALSE(platform::CopyToNewFile(from, locked));
    EXPECT_EQ(folder.ReadFile("locked.kif.txt"), "notes nobody may change");
    EXPECT_EQ(EntriesOf(folder.path()),
              (std::vector<std::string>{"Template.txt", "locked.kif.txt"}));
}

// A new companion gets the permissions any new file of the user gets, not the template's: a
// world-writable template under a private umask gives private notes.
TEST(CopyToNewFileTest, TheCopyTakesTheUsersPermissionsNotTheSources) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template\n");
    const mode_t previous = umask(077);
    for (const mode_t mode : {0666, 0444, 0750}) {
        ASSERT_EQ(chmod(from.c_str(), mode), 0);
        const std::string to = folder.Join("copy" + std::to_string(mode) + ".txt");
        ASSERT_TRUE(platform::CopyToNewFile(from, to)) << mode;
        struct stat info;
        ASSERT_EQ(stat(to.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u) << mode;
    }
    umask(previous);
}

// Notes that cannot be read, and links (even ones that lead nowhere, or to notes that cannot be
// read), are kept exactly as they are.
TEST(CopyToNewFileTest, UnreadableNotesAndLinksAreKept) {
    TempFolder folder;
    const std::string from = folder.WriteFile("Template.txt", "template\n");
    const std::string unreadable = folder.WriteFile("p001.kif.txt", "private notes");
    ASSERT_EQ(chmod(unreadable.c_str(), 0), 0);
    ASSERT_EQ(symlink("p001.kif.txt", folder.Join("p002.kif.txt").c_str()), 0);
    ASSERT_EQ(symlink("nowhere.txt", folder.Join("p003.kif.txt").c_str()), 0);
    for (const char* name : {"p001.kif.txt", "p002.kif.txt", "p003.kif.txt"}) {
        EXPECT_EQ(platform::EntryAt(folder.Join(name)), platform::EntryKind::kFile) << name;
        EXPECT_FALSE(platform::CopyToNewFile(from, folder.Join(name))) << name;
    }
    EXPECT_TRUE(fs::is_symlink(folder.Join("p002.kif.txt")));
    EXPECT_TRUE(fs::is_symlink(folder.Join("p003.kif.txt")));
    EXPECT_FALSE(fs::exists(folder.Join("nowhere.txt")));
    ASSERT_EQ(chmod(unreadable.c_str(), 0600), 0);
    EXPECT_EQ(folder.ReadFile("p001.kif.txt"), "private notes");
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"Template.txt", "p001.kif.txt",
                                                                  "p002.kif.txt", "p003.kif.txt"}));
}

#endif  // _WIN32

}  // namespace
