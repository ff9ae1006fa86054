// The main window without a mouse: every control reached by Tab, each told apart by its
// accessible name, and the Enter key starting nothing.
#include <QListWidget>
#include <QSet>
#include <QTest>

#include "common/accessible_name.h"
#include "main_window_fixture.h"

namespace {

using testing_support::AccessibleName;

class KeyboardTest : public MainWindowTest {
  protected:
    QList<QWidget*> Focusable() const {
        QList<QWidget*> controls;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const bool control = widget->inherits("QAbstractButton") ||
                                 widget->inherits("QLineEdit") || widget->inherits("QListWidget");
            if (control) controls << widget;
        }
        return controls;
    }
};

TEST_F(KeyboardTest, TabReachesEveryControl) {
    Start();
    QSet<QWidget*> reached;
    QWidget* widget = Control<QWidget>("lstFolder");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) reached << widget;
        widget = widget->nextInFocusChain();
    } while (widget != Control<QWidget>("lstFolder"));
    for (QWidget* control : Focusable()) {
        EXPECT_TRUE(reached.contains(control)) << control->objectName().toStdString();
    }
    EXPECT_EQ(Focusable().size(), 18);
}

TEST_F(KeyboardTest, EveryControlHasItsOwnAccessibleName) {
    Start();
    QSet<QString> names;
    for (QWidget* control : Focusable()) {
        const QString name = AccessibleName(control);
        EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
        // The three "開く" buttons and the three "編集" buttons must not sound alike.
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names << name;
    }
    EXPECT_EQ(AccessibleName(PageNumber()).toStdString(), "ページ番号");
    EXPECT_EQ(AccessibleName(Problems()).toStdString(), "問題ファイル一覧");
    EXPECT_EQ(AccessibleName(Control<QWidget>("cmdUWSC_0")).toStdString(), "kifファイルを作成");
    EXPECT_EQ(AccessibleName(Control<QWidget>("cmdEditUws_2")).toStdString(),
              "uwsEditTxt.uwsを編集");
}

TEST_F(KeyboardTest, EnterInThePageNumberOrTheListsStartsNothing) {
    temp.WriteFile("book/A/p001.kif", "x");
    temp.WriteFile("prog/start.wav", "RIFF");
    Start();
    frmIni::Get().PathBox(frmIni::kUWSC)->setText("uwsc");
    window->show();
    PageNumber()->setText("012");
    for (const char* name : {"txtPageN", "txtCur", "lstFile", "lstFolder"}) {
        QWidget* control = Control<QWidget>(name);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
    }
    EXPECT_TRUE(world.commandLines.empty());
    EXPECT_TRUE(world.sleeps.empty());
    EXPECT_TRUE(world.sounds.empty());
    EXPECT_TRUE(world.messages.empty());
    EXPECT_EQ(PageNumber()->text().toStdString(), "012");
    EXPECT_TRUE(Current()->text().isEmpty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(KeyboardTest, SpaceOnAFocusedButtonPressesIt) {
    temp.WriteFile("book/A/p001.kif", "x");
    Start();
    frmIni::Get().PathBox(frmIni::kUWSC)->setText("uwsc");
    window->show();
    PageNumber()->setText("012");
    QWidget* create = Control<QWidget>("cmdUWSC_0");
    create->setFocus();
    QTest::keyClick(create, Qt::Key_Space);
    ASSERT_EQ(world.commandLines.size(), 1u);
    EXPECT_EQ(world.sleeps, std::vector<int>{2000});
}

}  // namespace
