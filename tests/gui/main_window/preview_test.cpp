// The preview beside the problem list: resting on a record, or the menu key on the selected
// one, shows that record's position, page and notes, and touches nothing else.
#include <QApplication>
#include <QBuffer>
#include <QHelpEvent>
#include <QImage>

#include "main_window/board_view.h"
#include "main_window/list_preview.h"
#include "main_window/preview_popup.h"
#include "main_window_fixture.h"

namespace {

using shogi::Piece;
using shogi::Side;

// A record with the second player's king on the given square (file and rank as digits).
std::string Record(int file, int rank) {
    std::string diagram = "後手の持駒：残り全部\n+---------------------------+\n";
    for (int r = 1; r <= 9; ++r) {
        diagram += "|";
        for (int f = 9; f >= 1; --f) diagram += (f == file && r == rank) ? "v玉" : " ・";
        diagram += "|\n";
    }
    return diagram + "+---------------------------+\n先手の持駒：金\n";
}

std::string PngBytes() {
    QImage image(40, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class PreviewTest : public MainWindowTest {
  protected:
    void StartShown() {
        Start();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    ListPreview* Preview() const { return window->findChild<ListPreview*>(); }
    PreviewPopup* Popup() const { return Preview()->popup(); }
    bool Shown() const { return Popup() != nullptr && Popup()->isVisible(); }
    // What the tooltip delay delivers when the mouse rests on entry `row`.
    void RestOn(int row) const {
        QListWidget* list = Problems();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &event);
    }
    const shogi::Position& Board() const {
        return Popup()->findChild<BoardView*>("previewBoard")->position();
    }
    QString Label(const char* name) const { return Popup()->findChild<QLabel*>(name)->text(); }
};

TEST_F(PreviewTest, RestingOnARecordShowsItsPositionPageAndNotesAndTouchesNothing) {
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    temp.WriteFile("book/b/p002.bod", Record(5, 1));
    temp.WriteFile("book/b/p002.bod.txt", "出典：見本\nメモ：初手が大切\n");
    temp.WriteFile("book/b/p001.jpg", PngBytes());  // the page before p002's, which has none
    StartShown();
    const std::string selected = SelectedProblem();
    const std::string companion = CompanionState();

    RestOn(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Board().at(5, 1), (shogi::Square{Piece::King, Side::Gote}));
    EXPECT_EQ(Board().hand(Side::Sente)[static_cast<int>(Piece::Gold)], 1);
    EXPECT_EQ(Label("previewNotes"), QStringLiteral("出典：見本\nメモ：初手が大切"));
    EXPECT_EQ(Popup()->preview()->page.isNull(), false);
    EXPECT_GE(Popup()->x(), Problems()->mapToGlobal(QPoint(Problems()->width(), 0)).x());

    RestOn(0);
    EXPECT_EQ(Board().at(1, 2), (shogi::Square{Piece::King, Side::Gote}));
    const quill::RecordPreview* built = Popup()->preview();
    RestOn(0);
    EXPECT_EQ(Popup()->preview(), built) << "an unchanged record is not read again";

    // A changed record is read afresh.
    temp.WriteFile("book/b/p002.bod", Record(9, 9) + "\n");
    RestOn(1);
    EXPECT_EQ(Board().at(9, 9), (shogi::Square{Piece::King, Side::Gote}));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Problems()->viewport(), &leave);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(SelectedProblem(), selected);
    EXPECT_EQ(CompanionState(), companion);
    EXPECT_TRUE(world.messages.empty());
    EXPECT_TRUE(world.openedPaths.empty());
}

TEST_F(PreviewTest, MenuKeyOrShiftF10ShowsTheSelectedRecordAndEscHidesIt) {
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    temp.WriteFile("book/b/p002.kif", Record(5, 1));
    StartShown();
    Problems()->setCurrentRow(1);
    Problems()->setFocus();

    QTest::keyClick(Problems(), Qt::Key_Menu);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Board().at(5, 1).piece, Piece::King);
    QTest::keyClick(Problems(), Qt::Key_Escape);
    EXPECT_FALSE(Shown());
    QTest::keyClick(Problems(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(SelectedProblem(), "p002.kif");
}

// Shown from the keyboard, the popup stays beside the window, clear of its controls, and a click
// on a control hides it and acts as it would have.
TEST_F(PreviewTest, TheKeyboardsPopupCoversNoControlAndAClickReachesItsControl) {
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    StartShown();
    SetTools("uwsc", "");
    Problems()->setFocus();
    QTest::keyClick(Problems(), Qt::Key_Menu);
    ASSERT_TRUE(Shown());
    EXPECT_FALSE(Popup()->frameGeometry().intersects(window->frameGeometry()));
    QTest::mouseClick(Control<QPushButton>("cmdUWSC_1"), Qt::LeftButton);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(world.commandLines.size(), 1u);
}

// No board, or no page: the popup says why in one line and shows what it can.
TEST_F(PreviewTest, SaysWhyThereIsNoBoardOrNoPage) {
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    temp.WriteFile("book/b/p001.kif.txt", "メモ\n");
    temp.WriteFile("book/b/p001.jpg", "not an image of any kind");
    const std::string record = temp.WriteFile("book/b/p005.kif", Record(5, 1));
    StartShown();
    // Replaced by a folder after the list was filled.
    std::filesystem::remove(record);
    temp.MakeFolder("book/b/p005.kif");

    RestOn(0);
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(Popup()->findChild<BoardView*>("previewBoard")->isVisible());
    EXPECT_EQ(Label("previewPage").toStdString(), modConst::kPreviewPageNotShown);
    EXPECT_EQ(Label("previewNotes"), QStringLiteral("メモ"));

    RestOn(1);
    EXPECT_FALSE(Popup()->findChild<BoardView*>("previewBoard")->isVisible());
    EXPECT_EQ(Label("previewReason").toStdString(), modConst::kPreviewNotAFile);
    EXPECT_EQ(Label("previewPage").toStdString(), modConst::kPreviewNoPage);
}

// As the page button does, the preview takes no page before page 000: a file named like page -1
// is never shown as its page.
TEST_F(PreviewTest, PageZeroHasNoPageBefore) {
    temp.WriteFile("book/b/p000.kif", Record(1, 2));
    temp.WriteFile("book/b/p0-1.jpg", PngBytes());
    StartShown();
    RestOn(0);
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(Popup()->preview()->page.isNull());
    EXPECT_EQ(Label("previewPage").toStdString(), modConst::kPreviewNoPage);
}

}  // namespace
