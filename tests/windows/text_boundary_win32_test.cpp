// The platform layer takes UTF-8. Text that is not valid UTF-8, or that holds a NUL, would name a
// different file once converted, so it names none.

#include <gtest/gtest.h>

#include <string>

#include "common/temp_folder.h"
#include "platform/dir_listing.h"
#include "platform/file_ops.h"
#include "platform/process.h"
#include "platform/profile.h"

namespace {

using testing_support::TempFolder;

TEST(TextBoundaryWin32, TextThatIsNotUtf8NamesNoFile) {
    TempFolder folder;
    folder.WriteFile("a.kif", "x");
    const std::string broken = folder.Join("\xff.kif");
    const std::string withNul = folder.Join(std::string("a.kif\0.txt", 10));

    for (const std::string& path : {broken, withNul}) {
        std::string error;
        EXPECT_TRUE(platform::FindFiles(path, platform::ListMask::kOrdinaryFiles, &error).empty());
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(platform::GetAttributes(path), platform::kInvalidAttributes);
        EXPECT_FALSE(platform::ReadOnlyFile::Open(path).has_value());
        EXPECT_FALSE(platform::FileLength(path).has_value());
        EXPECT_FALSE(platform::DeleteFileAt(path));
        EXPECT_FALSE(platform::CopyToNewFile(folder.Join("a.kif"), path));
        EXPECT_EQ(platform::ReadProfileValue("S", "k", "default", path), "default");
        EXPECT_FALSE(platform::WriteProfileValue("S", "k", "v", path, &error));
        error.clear();
        EXPECT_FALSE(platform::StartCommandLine(path, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(folder.ReadFile("a.kif"), "x");
}

// What FileExists reports to the user, rather than taking it for a missing file.
TEST(TextBoundaryWin32, AFolderNameTheSystemRejectsIsReported) {
    TempFolder folder;
    std::string error;
    EXPECT_TRUE(
        platform::FindFiles(folder.Join("a|b/p001.kif"), platform::ListMask::kOrdinaryFiles, &error)
            .empty());
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_TRUE(platform::FindFiles(folder.Join("missing/p001.kif"),
                                    platform::ListMask::kOrdinaryFiles, &error)
                    .empty());
    EXPECT_EQ(error, "");
}

TEST(TextBoundaryWin32, AValueThatIsNotUtf8IsRefused) {
    TempFolder folder;
    const std::string ini = folder.WriteFile("Quillmere.ini", "[ExePath]\r\nUWSC=kept\r\n");
    std::string error;
    EXPECT_FALSE(platform::WriteProfileValue("ExePath", "UWSC", "C:\\\xff.exe", ini, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(platform::ReadProfileValue("ExePath", "UWSC", "", ini), "kept");
}

}  // namespace
