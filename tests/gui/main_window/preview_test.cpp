// The preview beside the problem list: resting on a record, or the menu key on the selected
// one, shows that record's position, page and notes, and touches nothing else.
#include <QApplication>
#include <QBuffer>
#include <QHelpEvent>
#include <QImage>
#include <QImageReader>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

// A page image of 40 x 60 pixels of colour in the given format.
std::string ImageBytes(const char* format) {
    QImage image(40, 60, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 6, y * 4, x * y));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}
std::string JpegBytes() { return ImageBytes("JPEG"); }

// Some Qt builds for Windows come without the JPEG plugin; pages are not shown there at all.
bool HasJpegPlugin() { return QImageReader::supportedImageFormats().contains("jpeg"); }

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
    // Waits until the page of the record shown has been read.
    const quill::PageImage& ReadPage() const {
        const bool read =
            QTest::qWaitFor([this] { return Popup()->preview()->page.has_value(); }, 20000);
        EXPECT_TRUE(read);
        static const quill::PageImage none;
        return read ? *Popup()->preview()->page : none;
    }
    bool PageShown() const {
        return !Popup()->findChild<QLabel*>("previewPage")->pixmap().isNull();
    }
};

TEST_F(PreviewTest, RestingOnARecordShowsItsPositionPageAndNotesAndTouchesNothing) {
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    temp.WriteFile("book/b/p002.bod", Record(5, 1));
    temp.WriteFile("book/b/p002.bod.txt", "出典：見本\nメモ：初手が大切\n");
    temp.WriteFile("book/b/p001.jpg", JpegBytes());  // the page before p002's, which has none
    StartShown();
    const std::string selected = SelectedProblem();
    const std::string companion = CompanionState();

    RestOn(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Board().at(5, 1), (shogi::Square{Piece::kKing, Side::kGote}));
    EXPECT_EQ(Board().hand(Side::kSente)[static_cast<int>(Piece::kGold)], 1);
    EXPECT_EQ(Label("previewNotes"), QStringLiteral("出典：見本\nメモ：初手が大切"));
    EXPECT_EQ(ReadPage().image.isNull(), !HasJpegPlugin());
    EXPECT_GE(Popup()->x(), Problems()->mapToGlobal(QPoint(Problems()->width(), 0)).x());

    RestOn(0);
    EXPECT_EQ(Board().at(1, 2), (shogi::Square{Piece::kKing, Side::kGote}));
    const quill::RecordPreview* built = Popup()->preview();
    RestOn(0);
    EXPECT_EQ(Popup()->preview(), built) << "an unchanged record is not read again";

    // A changed record is read afresh.
    temp.WriteFile("book/b/p002.bod", Record(9, 9) + "\n");
    RestOn(1);
    EXPECT_EQ(Board().at(9, 9), (shogi::Square{Piece::kKing, Side::kGote}));

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
    EXPECT_EQ(Board().at(5, 1).piece, Piece::kKing);
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
    ReadPage();
    EXPECT_EQ(Label("previewPage").toStdString(), modConst::kPreviewPageNotJpeg);
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
    temp.WriteFile("book/b/p0-1.jpg", JpegBytes());
    StartShown();
    RestOn(0);
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(ReadPage().image.isNull());
    EXPECT_EQ(Label("previewPage").toStdString(), modConst::kPreviewNoPage);
}

// The start of a JPEG file: its start-of-image marker and a frame marker declaring the size.
std::string JpegFrame(int width, int height) {
    std::string bytes = "\xFF\xD8\xFF\xC0";
    bytes += std::string("\x00\x11\x08", 3);
    for (const int number : {height, width}) {
        bytes += static_cast<char>(number >> 8);
        bytes += static_cast<char>(number & 0xFF);
    }
    return bytes + std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
}

// An SVG drawing that draws the file at `drawn` (a path), or nothing.
std::string SvgBytes(const std::string& drawn) {
    std::string svg =
        "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"40\" height=\"60\">"
        "<rect width=\"40\" height=\"60\" fill=\"red\"/>";
    if (!drawn.empty()) {
        svg += "<image width=\"40\" height=\"60\" xlink:href=\"" + drawn + "\"/>";
    }
    return svg + "</svg>\n";
}

// The page image itself, a picture outside the book and a named pipe.
struct PagePaths {
    std::string page, picture, pipe;
};

// Page images meant to crash, hang or freeze the program, or to show what is no page, each as
// `p001.jpg`: what the popup shows in the page's place (nothing: the page itself).
struct HostilePage {
    const char* name;
    std::string (*bytes)(const PagePaths& paths);
    std::string_view reason;
    bool pipe = false;  // a named pipe in place of the file
};

const HostilePage kHostilePages[] = {
    {"AnOrdinaryJpeg", [](const PagePaths&) { return JpegBytes(); }, {}},
    {"SvgDrawingItself", [](const PagePaths& paths) { return SvgBytes(paths.page); },
     modConst::kPreviewPageNotJpeg},
    {"SvgDrawingAPictureFromOutside",
     [](const PagePaths& paths) { return SvgBytes(paths.picture); }, modConst::kPreviewPageNotJpeg},
    {"PlainSvg", [](const PagePaths&) { return SvgBytes(""); }, modConst::kPreviewPageNotJpeg},
    {"Png", [](const PagePaths&) { return ImageBytes("PNG"); }, modConst::kPreviewPageNotJpeg},
    {"JpegDeclaringAHugeSize",
     [](const PagePaths&) { return JpegFrame(60000, 60000) + std::string(4000, '\x5A'); },
     modConst::kPreviewPageTooLarge},
    {"JpegJustPastTheBound", [](const PagePaths&) { return JpegFrame(7300, 9921); },
     modConst::kPreviewPageTooLarge},
    {"JpegCutBeforeItsFrame",
     [](const PagePaths&) { return std::string("\xFF\xD8\xFF\xE0\x00\x10JF"); },
     modConst::kPreviewPageNotShown},
    {"JpegCutInItsImageData",
     [](const PagePaths&) {
         const std::string whole = JpegBytes();
         return whole.substr(0, whole.size() * 3 / 4);
     },
     {}},
    {"EmptyFile", [](const PagePaths&) { return std::string(); }, modConst::kPreviewNoPage},
#ifndef _WIN32
    {"SvgDrawingANamedPipe", [](const PagePaths& paths) { return SvgBytes(paths.pipe); },
     modConst::kPreviewPageNotJpeg},
    {"NamedPipe", nullptr, modConst::kPreviewNoPage, true},
#endif
};

class HostilePageTest : public PreviewTest, public testing::WithParamInterface<HostilePage> {};

TEST_P(HostilePageTest, ShowsThePageOrSaysWhyNotAndNeverHolds) {
    const HostilePage& row = GetParam();
    if (row.reason.empty() && !HasJpegPlugin()) GTEST_SKIP() << "no JPEG plugin";
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    const PagePaths paths{Book("b/p001.jpg"), temp.WriteFile("picture.jpg", JpegBytes()),
                          temp.Join("pipe")};
#ifndef _WIN32
    ASSERT_EQ(mkfifo(paths.pipe.c_str(), 0600), 0);
    if (row.pipe) {
        ASSERT_EQ(mkfifo(paths.page.c_str(), 0600), 0);
    }
#endif
    if (!row.pipe) temp.WriteFile("book/b/p001.jpg", row.bytes(paths));
    StartShown();

    RestOn(0);
    // The board at once, whatever the page.
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Board().at(1, 2), (shogi::Square{Piece::kKing, Side::kGote}));
    const quill::PageImage& read = ReadPage();
    if (row.reason.empty()) {
        EXPECT_FALSE(read.image.isNull());
        EXPECT_TRUE(PageShown());
    } else {
        EXPECT_TRUE(read.image.isNull());
        EXPECT_FALSE(PageShown());
        EXPECT_EQ(Label("previewPage").toStdString(), row.reason);
    }
    EXPECT_TRUE(world.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Pages, HostilePageTest, testing::ValuesIn(kHostilePages),
                         [](const testing::TestParamInfo<HostilePage>& info) {
                             return std::string(info.param.name);
                         });

// The page of a record no longer shown never reaches the popup, and a page still being read
// when the window goes is no harm.
TEST_F(PreviewTest, APageStillBeingReadIsDroppedWhenAnotherShowsOrTheWindowGoes) {
    temp.WriteFile("book/b/p001.kif", Record(1, 2));
    temp.WriteFile("book/b/p001.jpg", JpegBytes());
    temp.WriteFile("book/b/p003.kif", Record(5, 1));
    temp.WriteFile("book/b/p003.jpg", ImageBytes("PNG"));
    StartShown();

    RestOn(0);
    RestOn(1);
    EXPECT_EQ(Board().at(5, 1).piece, Piece::kKing);
    ReadPage();
    QTest::qWait(50);  // time for a late page of p001, which must not come
    EXPECT_FALSE(PageShown());
    EXPECT_EQ(Label("previewPage").toStdString(), modConst::kPreviewPageNotJpeg);

    RestOn(0);
    window.reset();
    QTest::qWait(50);
}

}  // namespace
