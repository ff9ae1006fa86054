#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>
#include <QWidget>

namespace testing_support {

// The name a screen reader announces for `widget`.
inline QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

}  // namespace testing_support
