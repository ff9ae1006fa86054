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

TEST_F(PageImageTest, NeitherImageNamesTheFirstInTheMessage) {
    const std::pair<const char*, const char*> cases[] = {{"p012.kif", "p012.jpg"},
                                                         {"p000.kif", "p000.jpg"},
                                                         {"ab.kif", "ab.jpg"},
                                                         {"a.b.kif", "a.b.jpg"}};
    for (const auto& [problem, image] : cases) {
        temp.WriteFile(std::string("book/A/") + problem, "record");
    }
    Start();
    for (const auto& [problem, image] : cases) {
        world.Clear();
        const QList<QListWidgetItem*> found = Problems()->findItems(problem, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        Problems()->setCurrentItem(found[0]);
        Click("cmdOpenBook");
        EXPECT_TRUE(world.openedPaths.empty()) << problem;
        EXPECT_EQ(world.messages,
                  std::vector<std::string>{Book(std::string("A/") + image) + "が見つかりません"})
            << problem;
    }
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
