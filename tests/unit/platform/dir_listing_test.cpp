#include "platform/dir_listing.h"

#include "common/listing_fixture.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

using platform::FindFiles;
using platform::GetAttributes;
using platform::ListMask;
using namespace testing_support;
using FindFilesTest = ListingTest;

TEST_F(FindFilesTest, WildcardsSelectByNameWithoutRegardToCase) {
    for (const char* name : {"p001.kif", "p002.KIF", "p010.kif", "p001.bod", "p001.kif.txt"}) {
        book.WriteFile(name, "x");
    }
    EXPECT_EQ(FindFiles(Pattern("*.kif"), kFiles), (Names{"p001.kif", "p002.KIF", "p010.kif"}));
    EXPECT_EQ(FindFiles(Pattern("p00?.kif"), kFiles), (Names{"p001.kif", "p002.KIF"}));
    EXPECT_EQ(FindFiles(Pattern("*.KIF.TXT"), kFiles), (Names{"p001.kif.txt"}));
    EXPECT_EQ(FindFiles(Pattern("*.jpg"), kFiles), Names{});
}

TEST_F(FindFilesTest, NamesComeInNtfsOrder) {
    for (const char* name : {"b.kif", "a.bod", "C.kif", "_x.kif", "B1.kif"}) {
        book.WriteFile(name, "x");
    }
    // Upper-cased before comparing: "_" (0x5F) follows the letters, B1 follows B.
    EXPECT_EQ(FindFiles(Pattern("*"), kFiles),
              (Names{"a.bod", "b.kif", "B1.kif", "C.kif", "_x.kif"}));
}

TEST_F(FindFilesTest, TheMaskDecidesWhetherFoldersCount) {
    book.WriteFile("file.kif", "x");
    book.MakeFolder("folder.kif");
    EXPECT_EQ(FindFiles(Pattern("*"), kFiles), (Names{"file.kif"}));
    EXPECT_EQ(FindFiles(Pattern("*"), kFilesAndFolders), (Names{"file.kif", "folder.kif"}));
    EXPECT_EQ(FindFiles(Pattern("folder.kif"), kFiles), Names{});
    EXPECT_EQ(FindFiles(Pattern("folder.kif"), kFilesAndFolders), (Names{"folder.kif"}));
}

TEST_F(FindFilesTest, AnExactNameIsFoundInAnyCase) {
    book.WriteFile("Template.txt", "x");
    EXPECT_EQ(FindFiles(Pattern("Template.txt"), kFiles), (Names{"Template.txt"}));
    EXPECT_EQ(FindFiles(Pattern("TEMPLATE.TXT"), kFiles), (Names{"Template.txt"}));
    EXPECT_EQ(FindFiles(Pattern("Template.tx"), kFiles), Names{});
}

TEST_F(FindFilesTest, ATrailingSeparatorNamesTheFolderItself) {
    book.WriteFile("sub/a.kif", "x");
    EXPECT_EQ(FindFiles(Pattern("sub") + kSep, kFilesAndFolders), (Names{"."}));
    EXPECT_EQ(FindFiles(Pattern("sub") + kSep, kFiles), Names{});
    EXPECT_EQ(FindFiles(Pattern("sub") + kSep + "a.kif" + kSep, kFilesAndFolders), Names{});
    EXPECT_EQ(FindFiles(Pattern("missing") + kSep, kFilesAndFolders), Names{});
}

TEST_F(FindFilesTest, AMissingFolderGivesNoNamesAndNoError) {
    std::string error = "left over";
    EXPECT_EQ(FindFiles(Pattern("missing") + kSep + "*.kif", kFiles, &error), Names{});
    EXPECT_EQ(error, "");
    EXPECT_EQ(FindFiles(Pattern("missing") + kSep + "p001.kif", kFiles, &error), Names{});
    EXPECT_EQ(error, "");
    EXPECT_EQ(FindFiles("", kFiles, &error), Names{});
    EXPECT_EQ(error, "");
}

// Looking up several patterns with one read of the folder must give, pattern by pattern, what
// separate lookups give, whatever the patterns and whatever stands at the folder's path.
class FindFilesByPatternsTest : public FindFilesTest {
  protected:
    void ExpectSameAsOneByOne(const std::string& folder) {
        const Names patterns = {"*.kif",        "*.bod",       "*.KIF", "*", "Template.txt",
                                "TEMPLATE.TXT", ".hidden.kif", "*.",    "",  "sub" + kSep + "*.kif",
                                "nothing*",     "p00?.kif*",   "*.kif"};
        for (const ListMask mask : {kFiles, kFilesAndFolders}) {
            std::string error = "left over";
            const std::vector<Names> found =
                platform::FindFilesByPatterns(folder, patterns, mask, &error);
            ASSERT_EQ(found.size(), patterns.size());
            std::string firstError;
            for (std::size_t i = 0; i < patterns.size(); ++i) {
                std::string alone;
                EXPECT_EQ(found[i], FindFiles(folder + kSep + patterns[i], mask, &alone))
                    << folder << " " << patterns[i];
                if (firstError.empty()) firstError = alone;
            }
            EXPECT_EQ(error, firstError) << folder;
        }
    }
};

TEST_F(FindFilesByPatternsTest, GiveWhatEachPatternGivesAlone) {
    for (const char* name : {"b.kif", "a.bod", "C.KIF", "p001.kif.txt", "p002.kif", ".hidden.kif",
                             "Template.txt", "ends in a dot.", "sub/x.kif"}) {
        book.WriteFile(name, "x");
    }
    book.MakeFolder("folder.kif");
    ExpectSameAsOneByOne(book.path());
    ExpectSameAsOneByOne(book.path() + kSep);
    ExpectSameAsOneByOne(book.Join("sub"));
    ExpectSameAsOneByOne(book.Join("missing"));
    ExpectSameAsOneByOne(book.Join("b.kif"));
    EXPECT_EQ(platform::FindFilesByPatterns(book.path(), {}, kFiles), std::vector<Names>{});
}

TEST(FileAttributesTest, FolderFileAndMissingPath) {
    TempFolder book;
    const std::string file = book.WriteFile("p001.kif", "x");
    const std::string folder = book.MakeFolder("sub");
    EXPECT_NE(GetAttributes(folder) & platform::kAttrDirectory, 0u);
    EXPECT_NE(GetAttributes(folder + kSep) & platform::kAttrDirectory, 0u);
    EXPECT_NE(GetAttributes(file), platform::kInvalidAttributes);
    EXPECT_EQ(GetAttributes(file) & platform::kAttrDirectory, 0u);
    EXPECT_EQ(GetAttributes(file) & platform::kAttrHidden, 0u);
    EXPECT_EQ(GetAttributes(book.Join("missing")), platform::kInvalidAttributes);
    EXPECT_EQ(GetAttributes(""), platform::kInvalidAttributes);
}

#ifndef _WIN32

TEST_F(FindFilesTest, DotNamesAreHiddenAndNeverListed) {
    book.WriteFile(".hidden.kif", "x");
    book.MakeFolder(".git");
    book.WriteFile("shown.kif", "x");
    EXPECT_EQ(FindFiles(Pattern("*"), kFilesAndFolders), (Names{"shown.kif"}));
    EXPECT_EQ(FindFiles(Pattern("*.kif"), kFiles), (Names{"shown.kif"}));
    EXPECT_EQ(FindFiles(Pattern(".*"), kFilesAndFolders), Names{});
    EXPECT_EQ(FindFiles(Pattern(".hidden.kif"), kFiles), Names{});
    EXPECT_EQ(FindFiles(Pattern(".git"), kFilesAndFolders), Names{});
    EXPECT_EQ(FindFiles(Pattern("."), kFilesAndFolders), Names{});
    EXPECT_EQ(FindFiles(Pattern(".."), kFilesAndFolders), Names{});

    EXPECT_EQ(GetAttributes(book.Join(".git")), platform::kAttrDirectory | platform::kAttrHidden);
    EXPECT_NE(GetAttributes(book.Join(".hidden.kif")) & platform::kAttrHidden, 0u);
    EXPECT_EQ(GetAttributes(book.Join(".git") + "/.") & platform::kAttrHidden, 0u);
}

TEST_F(FindFilesTest, FifosAndDevicesAreNeverListed) {
    ASSERT_EQ(mkfifo(book.Join("pipe.kif").c_str(), 0600), 0);
    book.WriteFile("real.kif", "x");
    EXPECT_EQ(FindFiles(Pattern("*"), kFilesAndFolders), (Names{"real.kif"}));
    EXPECT_EQ(FindFiles(Pattern("pipe.kif"), kFilesAndFolders), Names{});
    EXPECT_EQ(FindFiles("/dev/null", kFilesAndFolders), Names{});
    EXPECT_EQ(GetAttributes(book.Join("pipe.kif")) & platform::kAttrDirectory, 0u);
}

TEST_F(FindFilesTest, LinksAreFollowedAndBrokenOnesPassedOver) {
    book.WriteFile("target.kif", "x");
    book.MakeFolder("target folder");
    ASSERT_EQ(symlink("target.kif", book.Join("link.kif").c_str()), 0);
    ASSERT_EQ(symlink("target folder", book.Join("link folder").c_str()), 0);
    ASSERT_EQ(symlink("nowhere.kif", book.Join("dangling.kif").c_str()), 0);
    ASSERT_EQ(symlink("loop.kif", book.Join("loop.kif").c_str()), 0);

    EXPECT_EQ(FindFiles(Pattern("*"), kFiles), (Names{"link.kif", "target.kif"}));
    EXPECT_EQ(FindFiles(Pattern("*"), kFilesAndFolders),
              (Names{"link folder", "link.kif", "target folder", "target.kif"}));
    std::string error;
    EXPECT_EQ(FindFiles(Pattern("dangling.kif"), kFiles, &error), Names{});
    EXPECT_EQ(FindFiles(Pattern("loop.kif"), kFiles, &error), Names{});
    EXPECT_EQ(error, "");
}

TEST_F(FindFilesTest, APathTheSystemRejectsGivesAnError) {
    ASSERT_EQ(symlink("loop", book.Join("loop").c_str()), 0);
    std::string error;
    EXPECT_EQ(FindFiles(Pattern("loop") + "/*.kif", kFiles, &error), Names{});
    EXPECT_NE(error, "");

    error.clear();
    EXPECT_EQ(FindFiles(Pattern(std::string(300, 'a')), kFiles, &error), Names{});
    EXPECT_NE(error, "");

    error.clear();
    EXPECT_EQ(FindFiles(Pattern(std::string("a\0b", 3)), kFiles, &error), Names{});
    EXPECT_NE(error, "");
}

TEST_F(FindFilesByPatternsTest, GiveWhatEachPatternGivesAloneAmongLinksAndFifos) {
    book.WriteFile("real.kif", "x");
    ASSERT_EQ(mkfifo(book.Join("pipe.kif").c_str(), 0600), 0);
    ASSERT_EQ(symlink("real.kif", book.Join("link.kif").c_str()), 0);
    ASSERT_EQ(symlink("loop.kif", book.Join("loop.kif").c_str()), 0);
    ASSERT_EQ(symlink("loop", book.Join("loop").c_str()), 0);
    ExpectSameAsOneByOne(book.path());
    ExpectSameAsOneByOne(book.Join("loop"));
    ExpectSameAsOneByOne(book.Join(std::string(300, 'a')));
    ExpectSameAsOneByOne(book.path() + std::string("\0x", 2));
}

TEST_F(FindFilesTest, AnUnreadableFolderGivesNoNamesAndNoError) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    book.WriteFile("locked/a.kif", "x");
    ASSERT_EQ(chmod(book.Join("locked").c_str(), 0), 0);
    std::string error;
    EXPECT_EQ(FindFiles(Pattern("locked/*"), kFiles, &error), Names{});
    EXPECT_EQ(FindFiles(Pattern("locked/a.kif"), kFiles, &error), Names{});
    EXPECT_EQ(error, "");
}

TEST(FileAttributesTest, AFileWithoutWritePermissionIsReadOnly) {
    TempFolder book;
    const std::string file = book.WriteFile("p001.kif", "x");
    EXPECT_EQ(GetAttributes(file) & platform::kAttrReadOnly, 0u);
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    EXPECT_NE(GetAttributes(file) & platform::kAttrReadOnly, 0u);
}

#endif  // _WIN32

}  // namespace
