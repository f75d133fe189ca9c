#pragma once
// The controls of a window that a screen reader would announce without a
// name: what the accessibility layer reports for each, its own name or its
// label's (a buddy), not what the code meant to set.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <QWidget>

namespace vellomar::test {

inline bool IsControl(QWidget* widget) {
    if (qobject_cast<QScrollBar*>(widget)) return false;  // a part of its view
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
           qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QAbstractSlider*>(widget);
}

inline QString AccessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(kind) : QString();
}

// Every control of the window itself (not of its pop-ups), shown or hidden.
inline QStringList UnnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window || !IsControl(widget)) continue;
        if (AccessibleText(widget, QAccessible::Name).trimmed().isEmpty())
            unnamed << widget->metaObject()->className() + QString(" ") + widget->objectName();
    }
    return unnamed;
}

}  // namespace vellomar::test
