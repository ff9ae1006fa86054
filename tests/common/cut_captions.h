#pragma once

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <string>
#include <vector>

namespace testing_support {

// The controls of `window` whose caption is wider than the room the layout gives it, each as
// "name: caption". The windows are laid out in fixed pixels and scale as a whole with the
// display, so a caption that fits here fits at every display scale.
inline std::vector<std::string> CutCaptions(QWidget& window) {
    window.ensurePolished();
    std::vector<std::string> cut;
    auto check = [&cut](const QWidget& control, const QString& caption, int room) {
        control.ensurePolished();
        if (QFontMetrics(control.font()).horizontalAdvance(caption) > room) {
            cut.push_back(control.objectName().toStdString() + ": " + caption.toStdString());
        }
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        check(*label, label->text(), label->contentsRect().width());
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        check(*button, button->text(), room.width());
    }
    for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        check(*frame, frame->title(), frame->width());
    }
    return cut;
}

}  // namespace testing_support
