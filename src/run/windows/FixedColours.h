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
// its hue kept, until it reads well. A disabled caption keeps the style's colour.
void SetCaptionColour(QWidget& button, const QColor& caption);

// How far apart two colours are to the eye, from 1 (alike) to 21 (black and
// white), by their relative luminance.
double ContrastRatio(const QColor& first, const QColor& second);

// The least contrast with its ground at which text still reads, and the one at
// which it reads well (those of the common accessibility guidelines for bold
// or large text, and for body text). The layout's own white on the result
// area's grey has 3.9.
inline constexpr double kReadableContrast = 3.0;
inline constexpr double kWellReadableContrast = 4.5;

}  // namespace vellomar
