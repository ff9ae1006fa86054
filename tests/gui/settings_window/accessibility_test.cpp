// The settings window for assistive technology: each path box and "起動" button is named after
// the program it is for.
#include <QSet>

#include "common/accessible_name.h"
#include "settings_window_fixture.h"

namespace {

using Accessibility = SettingsWindowTest;

using testing_support::AccessibleName;

TEST_F(Accessibility, EveryControlHasItsOwnName) {
    frmIni& window = frmIni::Get();
    QSet<QString> names;
    int controls = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->inherits("QPushButton") && !widget->inherits("QLineEdit")) continue;
        ++controls;
        const QString name = AccessibleName(widget);
        EXPECT_FALSE(name.isEmpty()) << widget->objectName().toStdString();
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names << name;
    }
    EXPECT_EQ(controls, 9);
    EXPECT_EQ(AccessibleName(window.PathBox(frmIni::kUWSC)).toStdString(), "UWSC.exe へのパス");
    EXPECT_EQ(AccessibleName(Button("cmdRunExe_1")).toStdString(), "K-Shogiを起動");
}

}  // namespace
