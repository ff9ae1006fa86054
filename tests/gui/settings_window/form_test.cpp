// The window's layout, texts, fonts and keyboard behaviour.
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include "common/designed_fonts.h"
#include "settings_window_fixture.h"

namespace {

using Form = SettingsWindowTest;

struct Control {
    const char* name;
    const char* text;
    QRect geometry;
    bool gothic;
};

const Control kControls[] = {
    {"Label1_8", "すべて正しく設定することが必須です", {20, 12, 201, 13}, false},
    {"Label1_0", "KifuW.exe\u3000へのパス", {16, 40, 145, 13}, true},
    {"Label1_6", "Drag And Drop 可能", {184, 44, 129, 13}, false},
    {"txtKifFWin", "", {24, 56, 513, 18}, true},
    {"cmdRunExe_0", "起動", {488, 36, 49, 21}, false},
    {"Label1_1", "K-Shogi64.exe または K-Shogi.exe\u3000へのパス", {16, 84, 297, 13}, true},
    {"Label1_4", "Drag And Drop 可能", {332, 88, 113, 13}, false},
    {"txtKShogi", "", {24, 100, 513, 18}, true},
    {"cmdRunExe_1", "起動", {488, 80, 49, 21}, false},
    {"Label1_2", "UWSC.exe\u3000へのパス", {16, 128, 141, 13}, true},
    {"Label1_5", "Drag And Drop 可能", {184, 132, 129, 13}, false},
    {"txtUWSC", "", {24, 144, 513, 18}, true},
    {"cmdRunExe_2", "起動", {488, 124, 49, 21}, false},
    {"Label1_3", "TeraPad.exe\u3000へのパス", {16, 172, 157, 13}, true},
    {"Label1_7", "Drag And Drop 可能", {184, 176, 129, 13}, false},
    {"txtTerapad", "", {24, 188, 513, 18}, true},
    {"cmdRunExe_3", "起動", {488, 168, 49, 21}, false},
    {"cmdOK", "OK", {552, 176, 57, 29}, false},
};

QString TextOf(const QWidget& widget) {
    if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (auto* button = qobject_cast<const QPushButton*>(&widget)) return button->text();
    return qobject_cast<const QLineEdit*>(&widget)->text();
}

TEST_F(Form, FixedClientAreaWithEveryControlInPlace) {
    frmIni& window = frmIni::Get();
    EXPECT_EQ(window.windowTitle(), QString("設定"));
    EXPECT_EQ(window.size(), QSize(622, 215));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    for (const Control& control : kControls) {
        auto* widget = window.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        widget->ensurePolished();
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
        EXPECT_EQ(TextOf(*widget), QString::fromUtf8(control.text)) << control.name;
        EXPECT_EQ(widget->font().family() == testing_support::FixedGothic(), control.gothic)
            << control.name;
        if (control.gothic) {
            EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), 9.75) << control.name;
        }
    }
}

TEST_F(Form, FocusMovesInTabOrderAndNoButtonIsDefault) {
    frmIni& window = frmIni::Get();
    QStringList order;
    QWidget* widget = Button("cmdOK");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != Button("cmdOK"));
    EXPECT_EQ(order, QStringList({"cmdOK", "txtKifFWin", "txtKShogi", "txtUWSC", "txtTerapad",
                                  "cmdRunExe_0", "cmdRunExe_1", "cmdRunExe_2", "cmdRunExe_3"}));
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault() || button->autoDefault())
            << button->objectName().toStdString();
    }
}

TEST_F(Form, ShownAtTheGivenPlaceWithOkFocusedAndDeafToEscAndEnter) {
    bool stillShown = false;
    ShowModal(
        [&stillShown](frmIni& window) {
            EXPECT_EQ(window.pos(), QPoint(123, 0));
            EXPECT_EQ(window.focusWidget(), Button("cmdOK"));
            QTest::keyClick(&window, Qt::Key_Escape);
            QTest::keyClick(window.PathBox(frmIni::kUWSC), Qt::Key_Return);
            QTest::keyClick(Button("cmdOK"), Qt::Key_Return);
            stillShown = window.isVisible();
            Button("cmdOK")->click();
        },
        123, 0);
    EXPECT_TRUE(stillShown);
    EXPECT_TRUE(frmIni::IsLoaded());
}

}  // namespace
