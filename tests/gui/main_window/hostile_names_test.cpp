// Books and records with names meant to trip the program up: shell characters, names that are
// not UTF-8, names that look alike, the longest names. Each is listed and handed over as it is.
#ifndef _WIN32

#include "hostile_names_fixture.h"

namespace {

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
              (std::vector<std::string>{Prog("uwsOpenStart.uws"), bookFolder + kSep + record}));
    EXPECT_EQ(ScriptArguments(1),
              (std::vector<std::string>{Prog("uwsEditTxt.uws"), "/opt/tera<spc>pad/TeraPad",
                                        bookFolder + kSep + record + ".txt"}));
    EXPECT_EQ(world.openedPaths, (std::vector<std::string>{
                                     bookFolder + kSep + "-p012\"x\"$(y)`z`;\\.jpg", bookFolder}));
    EXPECT_EQ(temp.ReadFile("book/" + book + "/" + record + ".txt"), "notes");
}

TEST_F(HostileNamesTest, NamesThatAreNotUtf8AreShownAndActOnTheRealFiles) {
    temp.MakeFolder("book");
    const std::string book = "Book\xff\xfe";
    const std::string first = "p001\xe9.kif";       // Latin-1
    const std::string second = "p002\x82\xa0.kif";  // Shift-JIS
    const std::string folder = Book(book);
    MakeRawFolder(folder);
    WriteRawFile(folder + kSep + first, "record");
    WriteRawFile(folder + kSep + first + ".txt", "notes");
    WriteRawFile(folder + kSep + "p001\xe9.jpg", "image");
    WriteRawFile(folder + kSep + second, "record");
    WriteRawFile(folder + kSep + second + ".txt", "");
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
    EXPECT_EQ(ScriptArguments(0).back(), folder + kSep + first);
    EXPECT_EQ(world.openedPaths,
              (std::vector<std::string>{folder + kSep + "p001\xe9.jpg", folder}));

    // The empty companion of the second record is the real one, and it goes.
    Click("cmdNext");
    EXPECT_EQ(quill::SelectedEntry(*Problems()), second);
    EXPECT_EQ(CompanionState(), "なし");
    EXPECT_FALSE(ExistsRaw(folder + kSep + second + ".txt"));
    EXPECT_TRUE(ExistsRaw(folder + kSep + second));
}

TEST_F(HostileNamesTest, NamesThatLookAlikeOnScreenStayApart) {
    temp.MakeFolder("book/A");
    const std::string withNotes = "\xff.kif";
    const std::string withoutNotes = "\xfe.kif";
    WriteRawFile(Book("A") + kSep + withNotes, "record");
    WriteRawFile(Book("A") + kSep + withNotes + ".txt", "notes");
    WriteRawFile(Book("A") + kSep + withoutNotes, "record");
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
    EXPECT_EQ(world.openedPaths, std::vector<std::string>{Book(book) + kSep + stem + ".jpg"});
    Click("cmdUWSC_2");
    EXPECT_EQ(world.messages,
              std::vector<std::string>{std::string(modConst::kMsgCompanionNotMade) + "\r\n  " +
                                       Book(book) + kSep + record + ".txt"});
    EXPECT_TRUE(world.commandLines.empty());
}

}  // namespace

#endif  // _WIN32
