#include "main_window_fixture.h"

class PageImageTest : public MainWindowTest {
  protected:
    void StartWith(const std::string& problem) {
        temp.WriteFile("book/A/" + problem, "record");
        Start();
    }
};

TEST_F(PageImageTest, OpensTheImageOfTheSameNameFirst) {
    temp.WriteFile("book/A/p011.jpg", "image");
    temp.WriteFile("book/A/p012.jpg", "image");
    StartWith("p012.kif");
    Click("cmdOpenBook");
    EXPECT_EQ(world.openedPaths, std::vector<std::string>{Book("A/p012.jpg")});
    EXPECT_TRUE(world.messages.empty());
}

TEST_F(PageImageTest, FallsBackToThePreviousPage) {
    temp.WriteFile("book/A/p011.jpg", "image");
    StartWith("p012.bod");
    Click("cmdOpenBook");
    EXPECT_EQ(world.openedPaths, std::vector<std::string>{Book("A/p011.jpg")});
}

TEST_F(PageImageTest, AnEmptyImageIsRemovedAndThePreviousPageOpens) {
    temp.WriteFile("book/A/p012.jpg", "");
    temp.WriteFile("book/A/p011.jpg", "image");
    StartWith("p012.kif");
    Click("cmdOpenBook");
    EXPECT_EQ(world.openedPaths, std::vector<std::string>{Book("A/p011.jpg")});
    EXPECT_FALSE(temp.Exists("book/A/p012.jpg"));
}

struct MissingImage {
    const char* name;
    const char* problem;
    const char* image;
};

class MissingImageTest : public PageImageTest, public testing::WithParamInterface<MissingImage> {};

TEST_P(MissingImageTest, NeitherImageNamesTheFirstInTheMessage) {
    const MissingImage& row = GetParam();
    StartWith(row.problem);
    world.Clear();
    const QList<QListWidgetItem*> found = Problems()->findItems(row.problem, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    Problems()->setCurrentItem(found[0]);
    Click("cmdOpenBook");
    EXPECT_TRUE(world.openedPaths.empty());
    EXPECT_EQ(world.messages,
              std::vector<std::string>{Book(std::string("A/") + row.image) + "が見つかりません"});
}

INSTANTIATE_TEST_SUITE_P(Rows, MissingImageTest,
                         testing::Values(MissingImage{"PageTwelve", "p012.kif", "p012.jpg"},
                                         MissingImage{"PageZero", "p000.kif", "p000.jpg"},
                                         MissingImage{"NoPageNumber", "ab.kif", "ab.jpg"},
                                         MissingImage{"ADotInTheName", "a.b.kif", "a.b.jpg"}),
                         [](const testing::TestParamInfo<MissingImage>& info) {
                             return std::string(info.param.name);
                         });

// Page 000 has no page before it: a file named like page -1 is never opened in its place.
TEST_F(PageImageTest, PageZeroHasNoPreviousPage) {
    temp.WriteFile("book/A/p0-1.jpg", "not a page");
    StartWith("p000.kif");
    Click("cmdOpenBook");
    EXPECT_EQ(world.events,
              std::vector<std::string>{"message: " + Book("A/p000.jpg") + "が見つかりません"});
}

// The system's opener failing is told, naming what was to be opened: the page image here, the
// book folder by the button beside the book list.
TEST_F(PageImageTest, AnImageOrBookFolderTheSystemCannotOpenIsNamed) {
    temp.WriteFile("book/A/p012.jpg", "image");
    StartWith("p012.kif");
    world.openSucceeds = false;
    Click("cmdOpenBook");
    Click("cmdOpenFolder");
    const std::string cannotOpen = std::string(modConst::kMsgCannotOpen) + "\r\n  ";
    EXPECT_EQ(world.events,
              (std::vector<std::string>{
                  "open: " + Book("A/p012.jpg"), "message: " + cannotOpen + Book("A/p012.jpg"),
                  "open: " + Book("A"), "message: " + cannotOpen + Book("A")}));
}

TEST_F(PageImageTest, AVanishedBookFolderIsNamedInTheMessage) {
    StartWith("p012.kif");
    std::filesystem::remove_all(Book("A"));
    Click("cmdOpenBook");
    EXPECT_EQ(world.messages, std::vector<std::string>{Book("A") + "が見つかりません"});
}

TEST_F(PageImageTest, WithoutAProblemTheButtonSaysSoAndTheProgramGoesOn) {
    temp.MakeFolder("book/A");
    Start();
    Click("cmdOpenBook");
    EXPECT_EQ(world.messages, std::vector<std::string>{std::string(modConst::kMsgNoPeriod)});
    EXPECT_TRUE(world.openedPaths.empty());
    // The window still answers.
    Click("cmdInc");
    EXPECT_EQ(PageNumber()->text().toStdString(), "002");
}

TEST_F(PageImageTest, ImagePathWithSpacesAndJapaneseIsHandedOverWhole) {
    temp.WriteFile("book/詰 将棋 'x'/p002.jpg", "image");
    temp.WriteFile("book/詰 将棋 'x'/p002.kif", "record");
    Start();
    Click("cmdOpenBook");
    EXPECT_EQ(world.openedPaths, std::vector<std::string>{Book("詰 将棋 'x'/p002.jpg")});
}
