#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "common/designed_fonts.h"
#include "gui/fonts.h"
#include "main_window_fixture.h"

TEST_F(MainWindowTest, StartsTitledAndPlacedWithTheFirstBookAndProblemSelected) {
    temp.WriteFile("book/Beta/p002.kif", "x");
    temp.WriteFile("book/Beta/p001.kif", "x");
    temp.WriteFile("book/Beta/p001.kif.txt", "notes");
    temp.WriteFile("book/alpha/readme.txt", "not a book file");
    temp.MakeFolder("book/Gamma");
    temp.WriteFile("book/loose file.kif", "files beside the books are not books");
    temp.MakeFolder("book/.hidden");
    Start();

    EXPECT_EQ(window->windowTitle().toStdString(), "Quillmere.exe 1.0.4");
    EXPECT_EQ(window->size(), QSize(231, 556));
    EXPECT_EQ(window->pos(), QPoint(50, 0));
    EXPECT_EQ(Entries(Books()), (QStringList{"alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Books()->currentRow(), 0);
    // The first book has no records, so nothing is selected and the label is untouched.
    EXPECT_EQ(Problems()->count(), 0);
    EXPECT_EQ(CompanionState(), "lblMsg");
    EXPECT_EQ(PageNumber()->text().toStdString(), "001");
    EXPECT_TRUE(Current()->text().isEmpty());

    Books()->setCurrentRow(1);
    EXPECT_EQ(Entries(Problems()), (QStringList{"p001.kif", "p002.kif"}));
    EXPECT_EQ(SelectedProblem(), "p001.kif");
    EXPECT_EQ(CompanionState(), "あり");
}

// The application set up as the program's is: the buttons and menus Qt draws itself speak
// Japanese, as the save dialog's do.
TEST(ApplicationTest, QtsOwnTextsAreJapanese) {
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().toStdString(), "キャンセル");
}

TEST_F(MainWindowTest, MissingOrEmptyBookRootLeavesBothListsEmpty) {
    Start();
    EXPECT_EQ(Books()->count(), 0);
    EXPECT_EQ(Problems()->count(), 0);
    EXPECT_EQ(CompanionState(), "lblMsg");
    EXPECT_EQ(PageNumber()->text().toStdString(), "001");
    EXPECT_TRUE(world.messages.empty());

    window.reset();
    temp.MakeFolder("book");
    Start();
    EXPECT_EQ(Books()->count(), 0);
    EXPECT_EQ(Problems()->count(), 0);
}

TEST_F(MainWindowTest, ControlsStandWhereTheFormPutsThem) {
    Start();
    struct Placed {
        const char* name;
        QRect geometry;
        const char* text;
    };
    const Placed controls[] = {
        {"lstFolder", {4, 24, 169, 121}, nullptr},
        {"cmdOpenFolder", {80, 4, 49, 21}, "開く"},
        {"cmdOpenIniWin", {184, 0, 45, 17}, "設定"},
        {"cmdRunKifuFWin_1", {180, 92, 45, 29}, "起動"},
        {"lstFile", {4, 168, 85, 381}, nullptr},
        {"Frame1", {92, 168, 137, 85}, nullptr},
        {"txtPageN", {16, 32, 41, 21}, nullptr},
        {"cmdUWSC_0", {48, 56, 41, 21}, "作成"},
        {"Frame2", {92, 264, 137, 93}, nullptr},
        {"cmdUWSC_1", {44, 32, 45, 25}, "開始"},
        {"txtCur", {16, 64, 101, 21}, nullptr},
        {"lblMsg", {120, 380, 45, 13}, "lblMsg"},
        {"cmdUWSC_2", {112, 416, 53, 25}, "開く"},
        {"cmdOpenTemplateFile", {140, 508, 53, 25}, "開く"},
        {"Label1_3", {100, 364, 113, 13}, ".kif.txtファイルの有無"},
        {"Label1_11", {60, 36, 65, 17}, ".kifで"},
    };
    for (const Placed& placed : controls) {
        QWidget* control = Control<QWidget>(placed.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), placed.geometry) << placed.name;
        if (placed.text != nullptr) {
            const QVariant text = control->property("text");
            EXPECT_EQ(text.toString().toStdString(), placed.text) << placed.name;
        }
    }
    EXPECT_EQ(Control<QGroupBox>("Frame1")->title().toStdString(), "kifファイルを作成");
    EXPECT_EQ(Control<QGroupBox>("Frame2")->title().toStdString(), "kifファイルで詰将棋");
    EXPECT_EQ(Control<QWidget>("txtPageN")->parentWidget()->objectName(), "Frame1");
    EXPECT_EQ(Control<QWidget>("cmdNext")->parentWidget()->objectName(), "Frame2");
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTheDesignedOrder) {
    Start();
    const char* order[] = {
        "lstFolder", "lstFile",      "cmdRunKifuFWin_0",   "cmdOpenFolder",    "cmdEditUws_0",
        "cmdUWSC_0", "cmdInc",       "txtPageN",           "cmdRunKifuFWin_1", "cmdOpenIniWin",
        "txtCur",    "cmdUWSC_1",    "cmdEditUws_1",       "cmdNext",          "cmdOpenBook",
        "cmdUWSC_2", "cmdEditUws_2", "cmdOpenTemplateFile"};
    QWidget* widget = Control<QWidget>(order[0]);
    for (const char* name : order) {
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName().toStdString(), name);
        do {
            widget = widget->nextInFocusChain();
        } while (widget->focusPolicy() == Qt::NoFocus || widget->inherits("QScrollBar") ||
                 widget->inherits("QGroupBox") || widget->inherits("QLabel"));
    }
}

TEST_F(MainWindowTest, FontsAreTheDesignedGothics) {
    Start();
    window->ensurePolished();
    const QFont page = Control<QWidget>("txtPageN")->font();
    EXPECT_TRUE(page.bold());
    EXPECT_DOUBLE_EQ(page.pointSizeF(), 12.0);
    EXPECT_EQ(page.family(), testing_support::FixedGothic());
    EXPECT_DOUBLE_EQ(Control<QWidget>("lstFile")->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(Control<QWidget>("Label1_10")->font().pointSizeF(), 11.25);
    EXPECT_EQ(Control<QWidget>("cmdUWSC_1")->font().family(),
              testing_support::ProportionalGothic());
    // Every family named is installed: a missing one would be searched for among all installed
    // fonts at every size and weight, which slows the first showing of the window badly.
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        EXPECT_TRUE(QFontDatabase::hasFamily(control->font().family()))
            << control->objectName().toStdString() << ": "
            << control->font().family().toStdString();
    }
}

TEST_F(MainWindowTest, SettingsButtonShowsTheSettingsWindowModalAtTheLeftEdgeAndTop) {
    temp.MakeFolder("book");
    Start();
    window->move(120, 40);
    QPoint shownAt;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        frmIni& settings = frmIni::Get();
        shownAt = settings.pos();
        wasModal = settings.isVisible() && settings.isModal();
        settings.findChild<QPushButton*>("cmdOK")->click();
    });
    Click("cmdOpenIniWin");
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownAt, QPoint(120, 0));
    // OK only hides it: it stays loaded with what it holds.
    EXPECT_TRUE(frmIni::IsLoaded());
    EXPECT_FALSE(frmIni::Get().isVisible());
}

TEST_F(MainWindowTest, ClosingTheMainWindowUnloadsAHiddenSettingsWindow) {
    temp.MakeFolder("book");
    Start();
    frmIni::Get();
    ASSERT_TRUE(frmIni::IsLoaded());
    window->close();
    EXPECT_FALSE(frmIni::IsLoaded());
}
