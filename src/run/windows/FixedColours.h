#pragma once
// Colours a layout fixes. A fixed ground gets a fixed text colour with it: a
// style of light text on dark ground (a dark or high-contrast one) would
// otherwise draw its light text on a ground fixed light.

#include <QColor>
#include <QPalette>

class QWidget;

namespace vellomar {

// The ground (Window, Button or Base) and its text role (WindowText,
// ButtonText or Text) in every state; disabled text is a fixed grey, still
// readable and still looking disabled.
void FixColours(QWidget& widget, QPalette::ColorRole ground, const QColor& background,
                const QColor& text);

}  // namespace vellomar
