#include "support_test_helpers.h"

namespace {

using testing_support::ProgramFolderTest;
using testing_support::RecordingListBox;
using Names = modFunc::NameArray;

class ListFilesByExtensionsTest : public ProgramFolderTest {};

TEST_F(ListFilesByExtensionsTest, NamesComeByExtensionInListOrder) {
    const std::string book = folder.MakeFolder("book/my book");
    folder.WriteFile("book/my book/b.kif", "x");
    folder.WriteFile("book/my book/a.bod", "x");
    folder.WriteFile("book/my book/c.kif", "x");
    folder.WriteFile("book/my book/c.kif.txt", "x");
    folder.WriteFile("book/my book/p012.jpg", "x");
    folder.WriteFile("book/my book/.hidden.kif", "x");
    folder.MakeFolder("book/my book/folder.kif");

    Names names{"stale", "stale.kif"};
    modFunc::ListFilesByExtensions(book, "kif;bod", names);
    EXPECT_EQ(names, (Names{"", "b.kif", "c.kif", "a.bod"}));
}

TEST_F(ListFilesByExtensionsTest, DuplicatesAreKept) {
    const std::string book = folder.MakeFolder("book");
    folder.WriteFile("book/a.kif", "x");
    Names names;
    modFunc::ListFilesByExtensions(book, "kif;kif", names);
    EXPECT_EQ(names, (Names{"", "a.kif", "a.kif"}));
}

TEST_F(ListFilesByExtensionsTest, NothingToListLeavesElementZeroAlone) {
    const std::string empty = folder.MakeFolder("empty");
    folder.WriteFile("full/a.kif", "x");
    Names names{"stale"};

    modFunc::ListFilesByExtensions(empty, "kif;bod", names);
    EXPECT_EQ(names, Names{""});
    modFunc::ListFilesByExtensions(folder.Join("missing"), "kif;bod", names);
    EXPECT_EQ(names, Names{""});
    modFunc::ListFilesByExtensions(folder.Join("full"), "", names);
    EXPECT_EQ(names, Names{""});
}

class FillFolderListTest : public ProgramFolderTest {};

TEST_F(FillFolderListTest, ListsOnlyVisibleSubfolders) {
    const std::string root = folder.MakeFolder("book");
    folder.MakeFolder("book/Book B");
    folder.MakeFolder("book/book a");
    folder.MakeFolder("book/.hidden");
    folder.WriteFile("book/notes.txt", "x");
    folder.WriteFile("book/p012.kif", "");

    RecordingListBox list;
    list.items = {"stale"};
    modFunc::FillFolderList(root, list);
    EXPECT_EQ(list.items, (std::vector<std::string>{"book a", "Book B"}));
}

TEST_F(FillFolderListTest, MissingFolderEmptiesTheList) {
    RecordingListBox list;
    list.items = {"stale"};
    modFunc::FillFolderList(folder.Join("missing"), list);
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.clears, 1);
}

TEST(FillListFromArray, SkipsElementZero) {
    RecordingListBox list;
    list.items = {"stale"};
    modFunc::FillListFromArray(Names{"", "p012.kif", "p013.bod"}, list);
    EXPECT_EQ(list.items, (std::vector<std::string>{"p012.kif", "p013.bod"}));

    modFunc::FillListFromArray(Names{""}, list);
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.clears, 2);
}

}  // namespace
