// Books and records that are not what they seem: link loops, folders that change under the
// window, folders or FIFOs where files belong, notes that cannot be read. Nothing blocks,
// crashes, or is deleted but an empty regular file.
#ifndef _WIN32

#include "hostile_names_fixture.h"

namespace {

TEST_F(HostileNamesTest, LinkLoopsInTheBookRootAreNotBooksAndNothingHangs) {
    temp.WriteFile("book/Real/p001.kif", "record");
    ASSERT_EQ(symlink("self", Book("self").c_str()), 0);
    ASSERT_EQ(symlink("loop b", Book("loop a").c_str()), 0);
    ASSERT_EQ(symlink("loop a", Book("loop b").c_str()), 0);
    // A link back to the book root is a folder like any other; nothing walks into it.
    ASSERT_EQ(symlink(".", Book("Around").c_str()), 0);
    ASSERT_EQ(symlink("..", Book("Real/Up.kif").c_str()), 0);
    ASSERT_EQ(symlink("Loop.kif", Book("Real/Loop.kif").c_str()), 0);
    ASSERT_EQ(symlink("p001.kif.txt", Book("Real/p001.kif.txt").c_str()), 0);
    Start();

    EXPECT_EQ(Entries(Books()), (QStringList{"Around", "Real"}));
    EXPECT_EQ(Problems()->count(), 0);
    Books()->setCurrentRow(1);
    EXPECT_EQ(Entries(Problems()), QStringList{"p001.kif"});
    EXPECT_EQ(CompanionState(), "なし");
    EXPECT_TRUE(fs::is_symlink(Book("Real/p001.kif.txt")));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(HostileNamesTest, ABookFolderThatVanishesOrTurnsIntoAFileIsNeverRecreated) {
    temp.WriteFile("book/A/p001.kif", "record");
    temp.WriteFile("book/B/p001.kif", "record");
    temp.WriteFile("prog/Template.txt", "template");
    Start();
    SetScriptTools("");
    fs::remove_all(Book("A"));
    temp.WriteFile("book/B.tmp", "a file now");
    fs::remove_all(Book("B"));
    fs::rename(Book("B.tmp"), Book("B"));

    // The record selected before is gone with its folder.
    Click("cmdUWSC_1");
    Click("cmdUWSC_2");
    Click("cmdOpenBook");
    EXPECT_EQ(world.messages,
              (std::vector<std::string>{
                  std::string(modConst::kMsgProblemFileNotFound) + "\r\n" + Book("A/p001.kif"),
                  std::string(modConst::kMsgCompanionNotMade) + "\r\n  " + Book("A/p001.kif.txt"),
                  Book("A") + "が見つかりません"}));
    EXPECT_FALSE(temp.Exists("book/A"));

    // Selecting either book now lists nothing, without a message.
    world.Clear();
    Books()->setCurrentRow(1);
    EXPECT_EQ(Problems()->count(), 0);
    Books()->setCurrentRow(0);
    EXPECT_EQ(Problems()->count(), 0);
    Books()->setCurrentRow(1);
    Click("cmdOpenBook");
    EXPECT_EQ(world.messages, std::vector<std::string>{Book("B") + "が見つかりません"});
    EXPECT_EQ(temp.ReadFile("book/B"), "a file now");
    EXPECT_TRUE(world.commandLines.empty());
}

TEST_F(HostileNamesTest, FoldersAndFifosNamedLikeRecordsAreNotListed) {
    temp.WriteFile("book/A/p001.kif", "record");
    temp.WriteFile("book/A/x.kif/inside.kif", "not a record of this book");
    temp.MakeFolder("book/A/y.bod");
    MakeFifo(Book("A/p002.kif"));
    Start();
    EXPECT_EQ(Entries(Problems()), QStringList{"p001.kif"});
    EXPECT_TRUE(temp.Exists("book/A/x.kif/inside.kif"));
    EXPECT_TRUE(IsFifo(Book("A/p002.kif")));
}

TEST_F(HostileNamesTest, ACompanionThatIsAFolderOrAFifoIsAbsentAndKept) {
    temp.WriteFile("book/A/p001.kif", "record");
    temp.MakeFolder("book/A/p001.kif.txt");
    temp.WriteFile("book/A/p002.kif", "record");
    MakeFifo(Book("A/p002.kif.txt"));
    temp.WriteFile("prog/Template.txt", "template");
    Start();
    SetScriptTools("");
    EXPECT_EQ(CompanionState(), "なし");
    Click("cmdUWSC_2");
    Click("cmdNext");
    EXPECT_EQ(CompanionState(), "なし");
    Click("cmdUWSC_2");

    EXPECT_EQ(
        world.messages,
        (std::vector<std::string>{
            std::string(modConst::kMsgCompanionNotMade) + "\r\n  " + Book("A/p001.kif.txt"),
            std::string(modConst::kMsgCompanionNotMade) + "\r\n  " + Book("A/p002.kif.txt")}));
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_TRUE(fs::is_directory(Book("A/p001.kif.txt")));
    EXPECT_TRUE(IsFifo(Book("A/p002.kif.txt")));
}

// Notes that exist but cannot be read: a link that leads nowhere, a link loop, a file without
// read permission. They show as absent, and "開く" leaves each exactly as it is, names it in one
// message and hands nothing to the script.
struct UnreadableNotes {
    const char* name;
    const char* linkTarget;  // the notes are a link to this, or else a file nobody may read
    const char* neverMade;   // what writing through the link would make, below the temporary root
};

class UnreadableNotesTest : public HostileNamesTest,
                            public testing::WithParamInterface<UnreadableNotes> {};

TEST_P(UnreadableNotesTest, UnreadableNotesAndLinksAreNeverOverwritten) {
    const UnreadableNotes& row = GetParam();
    temp.WriteFile("book/A/p001.kif", "record");
    const std::string notesFile = Book("A/p001.kif.txt");
    if (row.linkTarget != nullptr) {
        ASSERT_EQ(symlink(row.linkTarget, notesFile.c_str()), 0);
    } else {
        temp.WriteFile("book/A/p001.kif.txt", "private notes");
        ASSERT_EQ(chmod(notesFile.c_str(), 0), 0);
        if (access(notesFile.c_str(), R_OK) == 0) {
            GTEST_SKIP() << "the superuser reads any file";
        }
    }
    temp.WriteFile("prog/Template.txt", "template");
    Start();
    SetScriptTools("/opt/editor");

    world.Clear();
    Problems()->setCurrentRow(0);
    const std::string notes = Book("A/" + SelectedProblemBytes() + ".txt");
    EXPECT_EQ(CompanionState(), "なし") << notes;
    Click("cmdUWSC_2");
    EXPECT_EQ(world.events,
              std::vector<std::string>{"message: " + std::string(modConst::kMsgCompanionKept) +
                                       "\r\n  " + notes});
    if (row.linkTarget != nullptr) {
        EXPECT_TRUE(fs::is_symlink(notesFile));
        if (row.neverMade != nullptr) {
            EXPECT_FALSE(temp.Exists(row.neverMade));
        }
    } else {
        ASSERT_EQ(chmod(notesFile.c_str(), 0600), 0);
        EXPECT_EQ(temp.ReadFile("book/A/p001.kif.txt"), "private notes");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnreadableNotesTest,
    testing::Values(UnreadableNotes{"DanglingLink", "../elsewhere/notes.txt", "book/elsewhere"},
                    UnreadableNotes{"LinkLoop", "p001.kif.txt", nullptr},
                    UnreadableNotes{"FileWithoutReadPermission", nullptr, nullptr}),
    [](const testing::TestParamInfo<UnreadableNotes>& info) {
        return std::string(info.param.name);
    });

// The scripts join the pieces of a split line with single spaces: a path holding a tab or two
// blanks in a row would arrive as another book's record or notes, and an editor path holding
// "<spc>" as another editor. Each is refused with a message naming it, and nothing is started.
TEST_F(HostileNamesTest, ARecordOrImageReplacedByAFifoIsReportedAndKept) {
    temp.WriteFile("book/A/p012.kif", "record");
    Start();
    SetScriptTools("");
    fs::remove(Book("A/p012.kif"));
    MakeFifo(Book("A/p012.kif"));
    MakeFifo(Book("A/p012.jpg"));
    MakeFifo(Book("A/p011.jpg"));

    Click("cmdUWSC_1");
    Click("cmdOpenBook");
    EXPECT_EQ(world.messages,
              (std::vector<std::string>{
                  std::string(modConst::kMsgProblemFileNotFound) + "\r\n" + Book("A/p012.kif"),
                  Book("A/p012.jpg") + "が見つかりません"}));
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_TRUE(world.openedPaths.empty());
    for (const char* name : {"A/p012.kif", "A/p012.jpg", "A/p011.jpg"}) {
        EXPECT_TRUE(IsFifo(Book(name))) << name;
    }
}

}  // namespace

#endif  // _WIN32
