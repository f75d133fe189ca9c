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

// Gives every caption drawn straight on a fixed ground (labels, check boxes,
// radio buttons, group boxes' titles) that ground's text colour as its own: a
// style may give those kinds colours of their own, which a fixed ground does
// not pass on. Called once a window's controls are made.
void KeepCaptionsOnFixedGrounds(QWidget& window);

// A caption colour of the layout's own on a face the style draws (a button's):
// kept where it reads on the palette's face, otherwise made lighter or darker,
// its hue kept, until it does. A disabled caption keeps the style's colour.
void SetCaptionColour(QWidget& button, const QColor& caption);

// How far apart two colours are to the eye, from 1 (alike) to 21 (black and
// white), by their relative luminance.
double ContrastRatio(const QColor& first, const QColor& second);

// The least contrast that text keeps with its ground (that of the common
// accessibility guidelines for body text).
inline constexpr double kReadableContrast = 4.5;

}  // namespace vellomar
