// Listing and attributes as both systems must give them, with each system's own kind of hidden
// and system entries.

#include "common/listing_fixture.h"
#include "conformance/os_helpers.h"

namespace {

using conformance::Utf8;
using platform::FindFiles;
using platform::GetAttributes;
using namespace testing_support;
using ListingConformance = ListingTest;

TEST_F(ListingConformance, HiddenAndSystemEntriesAreNeverListed) {
    book.WriteFile("b.kif", "x");
    book.WriteFile("A.kif", "x");
    book.MakeFolder("sub");
    const std::string hiddenFile = conformance::MakeHiddenFile(book, "secret.kif");
    const std::string hiddenFolder = conformance::MakeHiddenFolder(book, "cache");
    conformance::MakeSystemEntry(book, "device.kif");

    EXPECT_EQ(FindFiles(Pattern("*"), kFiles), (Names{"A.kif", "b.kif"}));
    EXPECT_EQ(FindFiles(Pattern("*"), kFilesAndFolders), (Names{"A.kif", "b.kif", "sub"}));
    EXPECT_EQ(FindFiles(Pattern("*.kif"), kFilesAndFolders), (Names{"A.kif", "b.kif"}));
    // Not even when asked for by name.
    EXPECT_EQ(FindFiles(Pattern(hiddenFile), kFiles), Names{});
    EXPECT_EQ(FindFiles(Pattern(hiddenFolder), kFilesAndFolders), Names{});
    EXPECT_EQ(FindFiles(Pattern("device.kif"), kFilesAndFolders), Names{});

    EXPECT_NE(GetAttributes(book.Join(hiddenFile)) & platform::kAttrHidden, 0u);
    const unsigned folderAttributes = GetAttributes(book.Join(hiddenFolder));
    EXPECT_NE(folderAttributes & platform::kAttrHidden, 0u);
    EXPECT_NE(folderAttributes & platform::kAttrDirectory, 0u);
    EXPECT_NE(GetAttributes(book.Join("device.kif")) & platform::kAttrSystem, 0u);
    EXPECT_EQ(GetAttributes(book.Join("b.kif")) & (platform::kAttrHidden | platform::kAttrSystem),
              0u);
}

TEST_F(ListingConformance, AnExtensionPatternMatchesWholeExtensionsOnly) {
    // On Windows the file system also matches the short name P012~1.KIF of "p012.kifu".
    for (const char* name : {"p012.kif", "p012.kifu", "p013.kif.txt", "long name p014.KIF"}) {
        book.WriteFile(name, "x");
    }
    EXPECT_EQ(FindFiles(Pattern("*.kif"), kFiles), (Names{"long name p014.KIF", "p012.kif"}));
    EXPECT_EQ(FindFiles(Pattern("p01?.kif"), kFiles), (Names{"p012.kif"}));
    EXPECT_EQ(FindFiles(Pattern("*.kif*"), kFiles),
              (Names{"long name p014.KIF", "p012.kif", "p012.kifu", "p013.kif.txt"}));
}

TEST_F(ListingConformance, JapaneseNamesPassAsUtf8) {
    const std::string record = Utf8(u8"詰将棋 第1問.kif");
    const std::string folder = Utf8(u8"書籍");
    book.WriteFile(folder + "/" + record, "x");
    book.WriteFile(folder + "/" + Utf8(u8"棋.bod"), "x");

    EXPECT_EQ(FindFiles(Pattern("*"), kFilesAndFolders), (Names{folder}));
    EXPECT_EQ(FindFiles(Pattern(folder + kSep + "*.kif"), kFiles), (Names{record}));
    // "?" stands for one character, whatever its length in bytes.
    EXPECT_EQ(FindFiles(Pattern(folder + kSep + "?.bod"), kFiles), (Names{Utf8(u8"棋.bod")}));
    EXPECT_EQ(FindFiles(Pattern(folder + kSep + record), kFiles), (Names{record}));
    EXPECT_NE(GetAttributes(Pattern(folder)) & platform::kAttrDirectory, 0u);
}

TEST_F(ListingConformance, AFolderNamedWithATrailingSeparatorIsItsOwnEntry) {
    const std::string sub = book.MakeFolder("sub");
    EXPECT_EQ(FindFiles(sub + kSep, kFilesAndFolders), (Names{"."}));
    EXPECT_EQ(FindFiles(sub + kSep, kFiles), Names{});
    EXPECT_EQ(FindFiles(sub, kFilesAndFolders), (Names{"sub"}));
    std::string error;
    EXPECT_EQ(FindFiles(Pattern("missing") + kSep, kFilesAndFolders, &error), Names{});
    EXPECT_EQ(FindFiles(Pattern("missing") + kSep + "*", kFilesAndFolders, &error), Names{});
    EXPECT_EQ(error, "");
}

TEST_F(ListingConformance, ReadOnlyFilesAreOrdinaryFiles) {
    const std::string file = book.WriteFile("p001.kif", "x");
    EXPECT_EQ(GetAttributes(file) & platform::kAttrReadOnly, 0u);
    conformance::MakeReadOnly(file);
    EXPECT_NE(GetAttributes(file) & platform::kAttrReadOnly, 0u);
    EXPECT_EQ(FindFiles(Pattern("*.kif"), kFiles), (Names{"p001.kif"}));
}

}  // namespace
