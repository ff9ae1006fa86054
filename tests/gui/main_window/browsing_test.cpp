#include <filesystem>

#include "main_window_fixture.h"

TEST_F(MainWindowTest, ProblemListIsSortedWithoutRegardToCaseAndFirstIsSelected) {
    temp.WriteFile("book/A/b.kif", "x");
    temp.WriteFile("book/A/a.bod", "x");
    temp.WriteFile("book/A/c.kif", "x");
    temp.WriteFile("book/A/p013.kif", "x");
    temp.WriteFile("book/A/P012.kif", "x");
    temp.WriteFile("book/A/p011.kif", "x");
    temp.WriteFile("book/A/p011.jpg", "not a record");
    temp.WriteFile("book/A/p011.kif.txt", "not a record either");
    Start();
    EXPECT_EQ(Entries(Problems()),
              (QStringList{"a.bod", "b.kif", "c.kif", "p011.kif", "P012.kif", "p013.kif"}));
    EXPECT_EQ(SelectedProblem(), "a.bod");
}

TEST_F(MainWindowTest, CompanionStateFollowsTheSelectedProblem) {
    temp.WriteFile("book/A/p010.kif", "x");
    temp.WriteFile("book/A/p011.kif", "x");
    temp.WriteFile("book/A/p012.kif", "x");
    temp.WriteFile("book/A/p011.kif.txt", "notes");
    temp.WriteFile("book/A/p012.kif.txt", "");
    Start();
    EXPECT_EQ(CompanionState(), "なし");

    Click("cmdNext");
    EXPECT_EQ(SelectedProblem(), "p011.kif");
    EXPECT_EQ(CompanionState(), "あり");

    // An empty companion file counts as absent and is removed.
    Click("cmdNext");
    EXPECT_EQ(SelectedProblem(), "p012.kif");
    EXPECT_EQ(CompanionState(), "なし");
    EXPECT_FALSE(temp.Exists("book/A/p012.kif.txt"));

    // The last entry stays; no wrap-around.
    Control<QLabel>("lblMsg")->setText("unchanged");
    Click("cmdNext");
    EXPECT_EQ(SelectedProblem(), "p012.kif");
    EXPECT_EQ(CompanionState(), "unchanged");
}

TEST_F(MainWindowTest, NextWithoutSelectionTakesTheFirstAndOnAnEmptyListDoesNothing) {
    temp.WriteFile("book/A/p001.kif", "x");
    temp.WriteFile("book/A/p002.kif", "x");
    temp.MakeFolder("book/B");
    Start();
    Problems()->setCurrentRow(-1);
    Click("cmdNext");
    EXPECT_EQ(SelectedProblem(), "p001.kif");

    Books()->setCurrentRow(1);
    EXPECT_EQ(Problems()->count(), 0);
    Click("cmdNext");
    EXPECT_EQ(Problems()->currentRow(), -1);
}

TEST_F(MainWindowTest, SelectingAnotherBookKeepsTheLabelWhenTheBookIsEmpty) {
    temp.WriteFile("book/A/p001.kif", "x");
    temp.MakeFolder("book/B");
    Start();
    EXPECT_EQ(CompanionState(), "なし");
    Books()->setCurrentRow(1);
    EXPECT_EQ(Problems()->count(), 0);
    EXPECT_EQ(CompanionState(), "なし");
}

TEST_F(MainWindowTest, ClickingTheSelectedBookOrProblemAgainLooksAtItAfresh) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    temp.WriteFile("book/A/p002.kif", "made by the record editor meanwhile");
    temp.WriteFile("book/A/p001.kif.txt", "notes");

    ClickListEntry(*Books(), 0);
    EXPECT_EQ(Entries(Problems()), (QStringList{"p001.kif", "p002.kif"}));
    EXPECT_EQ(CompanionState(), "あり");

    std::filesystem::remove(Book("A/p001.kif.txt"));
    ClickListEntry(*Problems(), 0);
    EXPECT_EQ(CompanionState(), "なし");
}

struct PlusOneStep {
    const char* name;
    const char* before;
    const char* after;
};

class PlusOneTest : public MainWindowTest, public testing::WithParamInterface<PlusOneStep> {};

TEST_P(PlusOneTest, PlusOneKeepsThreeCharacters) {
    Start();
    PageNumber()->setText(QString::fromUtf8(GetParam().before));
    Click("cmdInc");
    EXPECT_EQ(PageNumber()->text().toStdString(), GetParam().after);
    EXPECT_TRUE(world.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, PlusOneTest,
                         testing::Values(PlusOneStep{"Counts", "001", "002"},
                                         PlusOneStep{"CarriesIntoTheTens", "009", "010"},
                                         PlusOneStep{"CarriesIntoTheHundreds", "099", "100"},
                                         PlusOneStep{"WrapsAfterNineNineNine", "999", "000"},
                                         PlusOneStep{"PadsOneDigit", "5", "006"},
                                         PlusOneStep{"KeepsTheLastThreeOfFour", "1234", "235"},
                                         PlusOneStep{"ReadsPastBlanksAround", " 12 ", "013"},
                                         PlusOneStep{"KeepsTheMinusOfANegative", "-5", "0-4"},
                                         PlusOneStep{"RoundsADecimal", "7.6", "009"}),
                         [](const testing::TestParamInfo<PlusOneStep>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainWindowTest, PlusOneOnTextThatIsNoNumberLeavesItAndSaysWhy) {
    Start();
    PageNumber()->setText("abc");
    Click("cmdInc");
    EXPECT_EQ(PageNumber()->text().toStdString(), "abc");
    ASSERT_EQ(world.messages.size(), 1u);
    EXPECT_EQ(world.messages[0], modConst::kMsgPageNotDigits);

    PageNumber()->setText("");
    Click("cmdInc");
    EXPECT_EQ(PageNumber()->text().toStdString(), "");
    ASSERT_EQ(world.messages.size(), 2u);
    EXPECT_EQ(world.messages[1], modConst::kMsgPageNotThreeChars);

    PageNumber()->setText("99999999999999999999");
    Click("cmdInc");
    EXPECT_EQ(PageNumber()->text().toStdString(), "99999999999999999999");
}

struct BadPageNumber {
    const char* name;
    const char* text;
    std::string_view message;
};

class PageNumberCheck : public MainWindowTest, public testing::WithParamInterface<BadPageNumber> {};

TEST_P(PageNumberCheck, NamesWhatIsWrong) {
    Start();
    PageNumber()->setText(QString::fromUtf8(GetParam().text));
    std::string message = "before";
    EXPECT_FALSE(window->ValidatePageNumber(message));
    EXPECT_EQ(message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageNumberCheck,
    testing::Values(BadPageNumber{"TwoDigits", "12", modConst::kMsgPageNotThreeChars},
                    BadPageNumber{"FourDigits", "0012", modConst::kMsgPageNotThreeChars},
                    BadPageNumber{"ALetter", "1a2", modConst::kMsgPageNotDigits},
                    BadPageNumber{"FullWidthDigits", "１２３", modConst::kMsgPageNotDigits},
                    BadPageNumber{"ABlank", "12 ", modConst::kMsgPageNotDigits}),
    [](const testing::TestParamInfo<BadPageNumber>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, PageNumberCheckPassesThreeDigitsAndSaysNothing) {
    Start();
    PageNumber()->setText("007");
    std::string message = "before";
    EXPECT_TRUE(window->ValidatePageNumber(message));
    EXPECT_EQ(message, "before");
}

TEST_F(MainWindowTest, OpenFolderHandsTheBookFolderToTheSystem) {
    temp.WriteFile("book/My Book 'one' $(x)/p001.kif", "x");
    Start();
    Click("cmdOpenFolder");
    ASSERT_EQ(world.openedPaths.size(), 1u);
    EXPECT_EQ(world.openedPaths[0], Book("My Book 'one' $(x)"));
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(MainWindowTest, OpenFolderWithoutBooksOpensTheBookRootItself) {
    Start();
    Click("cmdOpenFolder");
    ASSERT_EQ(world.openedPaths.size(), 1u);
    EXPECT_EQ(world.openedPaths[0], temp.Join("book") + kSep);
}

TEST_F(MainWindowTest, JapaneseNamesWithSpacesAreListedAndUsed) {
    temp.WriteFile("book/詰将棋 入門/第1問 p001.kif", "x");
    temp.WriteFile("book/詰将棋 入門/第1問 p001.kif.txt", "メモ");
    Start();
    EXPECT_EQ(Entries(Books()), QStringList{"詰将棋 入門"});
    EXPECT_EQ(SelectedProblem(), "第1問 p001.kif");
    EXPECT_EQ(CompanionState(), "あり");
}
