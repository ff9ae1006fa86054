// Books and records with names and file types meant to trip the program up: shell characters,
// names that are not UTF-8, the longest names, link loops, folders that change under the window,
// and folders or FIFOs where files belong. Each is listed or refused as it should be, and nothing
// blocks, crashes, or is deleted but an empty regular file.
// Names and file types that only POSIX systems allow.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLineEdit>

#include "gui/list_box.h"
#include "main_window_fixture.h"
#include "platform/process.h"

namespace {

namespace fs = std::filesystem;

class HostileNamesTest : public MainWindowTest {
  protected:
    // Made with the system calls themselves, so the names reach the disk byte for byte.
    void MakeRawFolder(const std::string& path) const {
        ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path;
    }
    void WriteRawFile(const std::string& path, const std::string& content) const {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
        close(fd);
    }
    void MakeFifo(const std::string& path) const {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
    }
    static bool ExistsRaw(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0;
    }
    static bool IsFifo(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
    void SetScriptTools(const std::string& terapad) { SetTools(kRunner, terapad); }
    // The arguments that recorded command line `index` hands the script runner, split as the
    // started runner would split them.
    std::vector<std::string> ScriptArguments(std::size_t index) const {
        if (index >= world.commandLines.size()) {
            ADD_FAILURE() << "no command line " << index;
            return {};
        }
        const std::string& line = world.commandLines[index];
        EXPECT_EQ(line.rfind(kRunner + " ", 0), 0u) << line;
        return platform::SplitCommandLine(line.substr(kRunner.size() + 1));
    }
    void SelectProblem(const std::string& bytes) const {
        for (int row = 0; row < Problems()->count(); ++row) {
            if (quill::ListEntry(*Problems(), row) == bytes) {
                Problems()->setCurrentRow(row);
                return;
            }
        }
        ADD_FAILURE() << "not listed: " << bytes;
    }
    std::string Prog(const std::string& name) const { return programFolder + Sep() + name; }
    std::string SelectedProblemBytes() const { return quill::SelectedEntry(*Problems()); }

    const std::string kRunner = "/opt/uwsc/uwsc";
};

TEST_F(HostileNamesTest, ShellCharactersAndLeadingDashesReachTheProgramsAsTheyAre) {
    // Every piece is a single word, so the script receives each path as one argument.
    const std::string book = "-rf\"引用\"'q';$(touch_x)`id`ünï&|<>*?";
    const std::string record = "-p012\"x\"$(y)`z`;\\.kif";
    const std::string bookFolder = Book(book);
    temp.WriteFile("book/" + book + "/" + record, "record");
    temp.WriteFile("book/" + book + "/" + record + ".txt", "notes");
    temp.WriteFile("book/" + book + "/-p012\"x\"$(y)`z`;\\.jpg", "image");
    temp.WriteFile("prog/Template.txt", "template");
    Start();
    SetScriptTools("/opt/tera pad/TeraPad");

    EXPECT_EQ(quill::ListEntry(*Books(), 0), book);
    EXPECT_EQ(quill::SelectedEntry(*Problems()), record);
    EXPECT_EQ(CompanionState(), "あり");

    Click("cmdUWSC_1");
    Click("cmdUWSC_2");
    Click("cmdOpenBook");
    Click("cmdOpenFolder");
    EXPECT_TRUE(world.messages.empty());
    EXPECT_EQ(ScriptArguments(0),
              (std::vector<std::string>{Prog("uwsOpenStart.uws"), bookFolder + Sep() + record}));
    EXPECT_EQ(ScriptArguments(1),
              (std::vector<std::string>{Prog("uwsEditTxt.uws"), "/opt/tera<spc>pad/TeraPad",
                                        bookFolder + Sep() + record + ".txt"}));
    EXPECT_EQ(world.openedPaths, (std::vector<std::string>{
                                     bookFolder + Sep() + "-p012\"x\"$(y)`z`;\\.jpg", bookFolder}));
    EXPECT_EQ(temp.ReadFile("book/" + book + "/" + record + ".txt"), "notes");
}

TEST_F(HostileNamesTest, NamesThatAreNotUtf8AreShownAndActOnTheRealFiles) {
    temp.MakeFolder("book");
    const std::string book = "Book\xff\xfe";
    const std::string first = "p001\xe9.kif";       // Latin-1
    const std::string second = "p002\x82\xa0.kif";  // Shift-JIS
    const std::string folder = Book(book);
    MakeRawFolder(folder);
    WriteRawFile(folder + Sep() + first, "record");
    WriteRawFile(folder + Sep() + first + ".txt", "notes");
    WriteRawFile(folder + Sep() + "p001\xe9.jpg", "image");
    WriteRawFile(folder + Sep() + second, "record");
    WriteRawFile(folder + Sep() + second + ".txt", "");
    Start();

    ASSERT_EQ(Books()->count(), 1);
    EXPECT_EQ(Books()->item(0)->text(), QString::fromUtf8("Book\xEF\xBF\xBD\xEF\xBF\xBD"));
    EXPECT_EQ(quill::SelectedEntry(*Books()), book);
    ASSERT_EQ(Problems()->count(), 2);
    EXPECT_EQ(quill::SelectedEntry(*Problems()), first);
    EXPECT_EQ(CompanionState(), "あり");

    SetScriptTools("");
    Click("cmdUWSC_1");
    EXPECT_EQ(Current()->text(), QString::fromUtf8("p001\xEF\xBF\xBD.kif"));
    Click("cmdOpenBook");
    Click("cmdOpenFolder");
    EXPECT_TRUE(world.messages.empty());
    EXPECT_EQ(ScriptArguments(0).back(), folder + Sep() + first);
    EXPECT_EQ(world.openedPaths,
              (std::vector<std::string>{folder + Sep() + "p001\xe9.jpg", folder}));

    // The empty companion of the second record is the real one, and it goes.
    Click("cmdNext");
    EXPECT_EQ(quill::SelectedEntry(*Problems()), second);
    EXPECT_EQ(CompanionState(), "なし");
    EXPECT_FALSE(ExistsRaw(folder + Sep() + second + ".txt"));
    EXPECT_TRUE(ExistsRaw(folder + Sep() + second));
}

TEST_F(HostileNamesTest, NamesThatLookAlikeOnScreenStayApart) {
    temp.MakeFolder("book/A");
    const std::string withNotes = "\xff.kif";
    const std::string withoutNotes = "\xfe.kif";
    WriteRawFile(Book("A") + Sep() + withNotes, "record");
    WriteRawFile(Book("A") + Sep() + withNotes + ".txt", "notes");
    WriteRawFile(Book("A") + Sep() + withoutNotes, "record");
    Start();
    ASSERT_EQ(Problems()->count(), 2);
    EXPECT_EQ(Problems()->item(0)->text(), Problems()->item(1)->text());

    SelectProblem(withNotes);
    EXPECT_EQ(CompanionState(), "あり");
    SelectProblem(withoutNotes);
    EXPECT_EQ(CompanionState(), "なし");
    // Read again from the folder, each entry still carries its own bytes.
    window->lstFolder_Click();
    SelectProblem(withNotes);
    EXPECT_EQ(CompanionState(), "あり");
}

TEST_F(HostileNamesTest, NamesOfTheLongestLengthWork) {
    std::string book;
    for (int i = 0; i < 85; ++i) book += "詰";                // 255 bytes
    const std::string stem = "p001" + std::string(247, 'x');  // with ".kif", 255 bytes
    const std::string record = stem + ".kif";
    ASSERT_EQ(book.size(), 255u);
    ASSERT_EQ(record.size(), 255u);
    temp.WriteFile("book/" + book + "/" + record, "record");
    temp.WriteFile("book/" + book + "/" + stem + ".jpg", "image");
    temp.WriteFile("prog/Template.txt", "template");
    Start();
    SetScriptTools("");

    EXPECT_EQ(quill::SelectedEntry(*Books()), book);
    EXPECT_EQ(quill::SelectedEntry(*Problems()), record);
    // Its companion's name would be too long for the file system: absent, and cannot be made.
    EXPECT_EQ(CompanionState(), "なし");
    Click("cmdOpenBook");
    EXPECT_EQ(world.openedPaths, std::vector<std::string>{Book(book) + Sep() + stem + ".jpg"});
    Click("cmdUWSC_2");
    EXPECT_EQ(world.messages,
              std::vector<std::string>{std::string(modConst::kMsgCompanionNotMade) + "\r\n  " +
                                       Book(book) + Sep() + record + ".txt"});
    EXPECT_TRUE(world.commandLines.empty());
}

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
class RefusedPathTest : public HostileNamesTest {
  protected:
    // The window on a book "Plain" beside whatever the row wrote, with an editor set.
    void StartBesidePlainBook() {
        temp.WriteFile("book/Plain/p001.kif", "record");
        temp.WriteFile("prog/Template.txt", "template");
        Start();
        SetScriptTools("/opt/editor");
    }
    static std::string Refused(const std::string& path) {
        return "message: " + std::string(modConst::kMsgCannotHandOver) + "\r\n  " + path;
    }
};

struct RefusedRecord {
    const char* name;
    const char* book;
    const char* record;
    bool inTheBook;  // the book's own path cannot be handed over, so 作成 is refused too
};

class RefusedRecordTest : public RefusedPathTest,
                          public testing::WithParamInterface<RefusedRecord> {};

TEST_P(RefusedRecordTest, PathsTheScriptsCannotReceiveAreRefused) {
    const std::string book = GetParam().book;
    const std::string record = GetParam().record;
    temp.WriteFile("book/" + book + "/" + record, "record");
    StartBesidePlainBook();

    world.Clear();
    Books()->setCurrentItem(Books()->findItems(QString::fromStdString(book), Qt::MatchExactly)[0]);
    SelectProblem(record);
    PageNumber()->setText("001");
    const std::string folder = Book(book);
    const std::vector<std::string> expected =
        GetParam().inTheBook ? std::vector<std::string>{Refused(folder + Sep() + "p001"),
                                                        Refused(folder + Sep() + record),
                                                        Refused(folder + Sep() + record + ".txt")}
                             : std::vector<std::string>{Refused(folder + Sep() + record),
                                                        Refused(folder + Sep() + record + ".txt")};
    if (GetParam().inTheBook) Click("cmdUWSC_0");
    Click("cmdUWSC_1");
    Click("cmdUWSC_2");
    EXPECT_EQ(world.events, expected);
    EXPECT_FALSE(temp.Exists("book/" + book + "/" + record + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedRecordTest,
    testing::Values(RefusedRecord{"TwoBlanksInTheBook", "Two  blanks", "p001.kif", true},
                    RefusedRecord{"ATabInTheBook", "Tab\tbook", "p001.kif", true},
                    RefusedRecord{"TwoBlanksInTheRecord", "Names", "p001  x.kif", false},
                    RefusedRecord{"ATabInTheRecord", "Names", "p002\tx.kif", false}),
    [](const testing::TestParamInfo<RefusedRecord>& info) { return std::string(info.param.name); });

struct RefusedEditor {
    const char* name;
    const char* editor;
};

class RefusedEditorTest : public RefusedPathTest,
                          public testing::WithParamInterface<RefusedEditor> {};

TEST_P(RefusedEditorTest, PathsTheScriptsCannotReceiveAreRefused) {
    StartBesidePlainBook();

    Books()->setCurrentItem(Books()->findItems("Plain", Qt::MatchExactly)[0]);
    world.Clear();
    SetScriptTools(GetParam().editor);
    Click("cmdUWSC_2");
    EXPECT_EQ(world.events, std::vector<std::string>{Refused(GetParam().editor)});
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedEditorTest,
                         testing::Values(RefusedEditor{"SpcInTheEditor", "/opt/a<spc>b/editor"},
                                         RefusedEditor{"ATabInTheEditor", "/opt/tab\teditor"}),
                         [](const testing::TestParamInfo<RefusedEditor>& info) {
                             return std::string(info.param.name);
                         });

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
