// Opening, measuring, deleting and copying files as the presence test and the template copy use
// them, on both systems.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "common/test_paths.h"
#include "conformance/os_helpers.h"
#include "platform/dir_listing.h"
#include "platform/file_ops.h"

namespace {

using conformance::Utf8;
using platform::ReadOnlyFile;
using testing_support::TempFolder;

// The steps of the presence test: open, measure by path, close, delete when empty.
struct PresenceSteps {
    bool opened = false;
    std::optional<std::uint64_t> length;
    bool deleted = false;
};

PresenceSteps RunPresenceSteps(const std::string& path) {
    PresenceSteps steps;
    std::optional<ReadOnlyFile> file = ReadOnlyFile::Open(path);
    steps.opened = file.has_value();
    if (!file) return steps;
    steps.length = platform::FileLength(path);
    file->Close();
    if (steps.length == 0u) steps.deleted = platform::DeleteFileAt(path);
    return steps;
}

TEST(FileOpsConformance, AZeroByteFileIsMeasuredAndDeleted) {
    TempFolder book;
    const std::string name = Utf8(u8"p001.kif.txt");
    const PresenceSteps steps = RunPresenceSteps(book.WriteFile(name, ""));
    EXPECT_TRUE(steps.opened);
    EXPECT_EQ(steps.length, 0u);
    EXPECT_TRUE(steps.deleted);
    EXPECT_FALSE(book.Exists(name));
}

TEST(FileOpsConformance, AFileWithContentIsMeasuredAndKept) {
    TempFolder book;
    for (const std::string& name : {std::string("p002.kif"), Utf8(u8"棋譜 二.kif")}) {
        const PresenceSteps steps = RunPresenceSteps(book.WriteFile(name, "x"));
        EXPECT_TRUE(steps.opened) << name;
        EXPECT_EQ(steps.length, 1u) << name;
        EXPECT_FALSE(steps.deleted) << name;
        EXPECT_EQ(book.ReadFile(name), "x") << name;
    }
}

TEST(FileOpsConformance, MissingFilesAndFoldersAreNeitherOpenedNorMadeNorDeleted) {
    TempFolder book;
    const std::string folder = book.MakeFolder("sub");
    for (const std::string& path :
         {book.Join("missing.kif"), book.Join("none/missing.kif"), folder, std::string()}) {
        EXPECT_FALSE(ReadOnlyFile::Open(path).has_value()) << path;
        EXPECT_FALSE(platform::FileLength(path).has_value()) << path;
        EXPECT_FALSE(platform::DeleteFileAt(path)) << path;
    }
    EXPECT_FALSE(book.Exists("missing.kif"));
    EXPECT_TRUE(book.Exists("sub"));
}

TEST(FileOpsConformance, AFileOpenForReadingCanStillBeMeasured) {
    TempFolder book;
    const std::string path = book.WriteFile("p003.kif", "abc");
    std::optional<ReadOnlyFile> first = ReadOnlyFile::Open(path);
    std::optional<ReadOnlyFile> second = ReadOnlyFile::Open(path);
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(second.has_value());
    EXPECT_EQ(platform::FileLength(path), 3u);
}

TEST(FileOpsConformance, CopyMakesANewFileAndNeverReplacesOne) {
    TempFolder book;
    const std::string from = book.WriteFile("Template.txt", "template\r\n");
    const std::string fresh = book.Join(Utf8(u8"棋譜.kif.txt"));
    ASSERT_TRUE(platform::CopyToNewFile(from, fresh));
    EXPECT_EQ(book.ReadFile(Utf8(u8"棋譜.kif.txt")), "template\r\n");

    book.WriteFile("old.kif.txt", "notes of my own");
    EXPECT_FALSE(platform::CopyToNewFile(from, book.Join("old.kif.txt")));
    EXPECT_EQ(book.ReadFile("old.kif.txt"), "notes of my own");
}

TEST(FileOpsConformance, AFailedCopyLeavesTheDestinationAsItWas) {
    TempFolder book;
    const std::string from = book.WriteFile("Template.txt", "template");
    book.WriteFile("kept.kif.txt", "kept");
    book.MakeFolder("occupied");

    EXPECT_FALSE(platform::CopyToNewFile(book.Join("missing.txt"), book.Join("kept.kif.txt")));
    EXPECT_EQ(book.ReadFile("kept.kif.txt"), "kept");
    EXPECT_FALSE(platform::CopyToNewFile(from, book.Join("none/copy.txt")));
    EXPECT_FALSE(platform::CopyToNewFile(from, book.Join("occupied")));
    EXPECT_FALSE(platform::CopyToNewFile(book.path(), book.Join("copy.txt")));
    if (conformance::ReadOnlyBinds()) {
        const std::string locked = book.WriteFile("locked.kif.txt", "locked");
        conformance::MakeReadOnly(locked);
        EXPECT_FALSE(platform::CopyToNewFile(from, locked));
        EXPECT_EQ(book.ReadFile("locked.kif.txt"), "locked");
    }
    // No copy, whole or partial, is left under any name.
    std::vector<std::string> expected{"kept.kif.txt", "occupied", "Template.txt"};
    if (conformance::ReadOnlyBinds()) expected.insert(expected.begin() + 1, "locked.kif.txt");
    EXPECT_EQ(platform::FindFiles(book.path() + testing_support::kSep + "*",
                                  platform::ListMask::kOrdinaryFilesAndFolders),
              expected);
}

// A failed copy says which side failed, so that the message names the file at fault: the source
// when it cannot be opened for reading, whatever stands at the destination; else the destination.
// It also says why, for the log.
struct CopyFaultCase {
    const char* name;
    const char* from;  // a name in a book holding "Template.txt", "kept.kif.txt" and the folder
                       // "occupied", or "" for the book itself
    const char* to;
    platform::CopyFault fault;
};

class CopyFaultTest : public testing::TestWithParam<CopyFaultCase> {};

TEST_P(CopyFaultTest, NamesTheSideThatFailed) {
    TempFolder book;
    book.WriteFile("Template.txt", "template");
    book.WriteFile("kept.kif.txt", "kept");
    book.MakeFolder("occupied");
    const std::string from = *GetParam().from == '\0' ? book.path() : book.Join(GetParam().from);
    const platform::CopyResult result = platform::CopyToNewFile(from, book.Join(GetParam().to));
    EXPECT_EQ(result.fault, GetParam().fault);
    EXPECT_FALSE(result.reason.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sides, CopyFaultTest,
    testing::Values(CopyFaultCase{"SourceMissing", "missing.txt", "copy.txt",
                                  platform::CopyFault::kSourceUnreadable},
                    CopyFaultCase{"SourceMissingAndDestinationTaken", "missing.txt", "kept.kif.txt",
                                  platform::CopyFault::kSourceUnreadable},
                    CopyFaultCase{"SourceAFolder", "", "copy.txt",
                                  platform::CopyFault::kSourceUnreadable},
                    CopyFaultCase{"DestinationTakenByAFile", "Template.txt", "kept.kif.txt",
                                  platform::CopyFault::kDestinationNotMade},
                    CopyFaultCase{"DestinationTakenByAFolder", "Template.txt", "occupied",
                                  platform::CopyFault::kDestinationNotMade},
                    CopyFaultCase{"DestinationFolderMissing", "Template.txt", "none/copy.txt",
                                  platform::CopyFault::kDestinationNotMade}),
    [](const testing::TestParamInfo<CopyFaultCase>& info) { return info.param.name; });

}  // namespace
