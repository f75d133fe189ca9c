#pragma once
// Captions that a person could not read: the text of a label, check box,
// radio button or group box against the ground it is drawn on (the nearest
// ground a window fixes, or the palette's), and a button's caption against
// its face, each below the least contrast at which text still reads. A style
// draws such captions in either text role, so both are checked.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include "run/windows/FixedColours.h"

namespace vellomar::test {

// The ground of the nearest widget below it that paints one, in its own window.
inline QColor GroundOf(const QWidget* widget) {
    const QWidget* under = widget->parentWidget();
    while (under && !under->autoFillBackground() && !under->isWindow()) under = under->parentWidget();
    return (under ? under : widget)->palette().color(QPalette::Window);
}

inline QStringList UnreadableCaptions(QWidget& window) {
    QStringList unreadable;
    const auto check = [&](QWidget* widget, QPalette::ColorRole role, const QColor& ground) {
        const QColor text = widget->palette().color(QPalette::Active, role);
        if (ContrastRatio(text, ground) < kReadableContrast)
            unreadable << QString("%1 %2 on %3").arg(widget->objectName(), text.name(), ground.name());
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget)) {
            check(widget, QPalette::WindowText, GroundOf(widget));
        } else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
            check(widget, QPalette::WindowText, GroundOf(widget));
            check(widget, QPalette::Text, GroundOf(widget));
        } else if (qobject_cast<QPushButton*>(widget)) {
            check(widget, QPalette::ButtonText, widget->palette().color(QPalette::Button));
        }
    }
    return unreadable;
}

// A dark palette for the application while it lives, as a dark style sets it,
// also for the kinds of control such a style gives a palette of their own.
class DarkPalette {
public:
    DarkPalette() {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(53, 53, 53));
        dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
        dark.setColor(QPalette::Base, QColor(45, 45, 45));
        dark.setColor(QPalette::Text, QColor(238, 238, 236));
        dark.setColor(QPalette::Button, QColor(56, 56, 56));
        dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
        QApplication::setPalette(dark);
        for (const char* kind : kOwnPaletteKinds) QApplication::setPalette(dark, kind);
    }
    ~DarkPalette() {
        QApplication::setPalette(saved_);
        // The application's own palette again: as if these kinds had none.
        for (const char* kind : kOwnPaletteKinds) QApplication::setPalette(QApplication::palette(), kind);
    }

private:
    static constexpr const char* kOwnPaletteKinds[] = {"QGroupBox", "QCheckBox", "QRadioButton"};
    QPalette saved_ = QApplication::palette();
};

}  // namespace vellomar::test
