// Paths that a script would not receive as they are: refused with a message naming them.
#ifndef _WIN32

#include "hostile_names_fixture.h"

namespace {

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
        GetParam().inTheBook ? std::vector<std::string>{Refused(folder + kSep + "p001"),
                                                        Refused(folder + kSep + record),
                                                        Refused(folder + kSep + record + ".txt")}
                             : std::vector<std::string>{Refused(folder + kSep + record),
                                                        Refused(folder + kSep + record + ".txt")};
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

}  // namespace

#endif  // _WIN32
