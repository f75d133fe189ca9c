#include "run/windows/FixedColours.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vellomar {
namespace {

QPalette::ColorRole TextRoleOn(QPalette::ColorRole ground) {
    switch (ground) {
        case QPalette::Button: return QPalette::ButtonText;
        case QPalette::Base: return QPalette::Text;
        default: return QPalette::WindowText;
    }
}

// Halfway between ground and text: dimmer than either, readable on the ground.
QColor DisabledText(const QColor& background, const QColor& text) {
    return QColor((background.red() + text.red()) / 2, (background.green() + text.green()) / 2,
                  (background.blue() + text.blue()) / 2);
}

bool DrawsOnItsGround(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QCheckBox*>(widget) ||
           qobject_cast<const QRadioButton*>(widget) || qobject_cast<const QGroupBox*>(widget);
}

// The nearest widget, itself or above it in its own window, whose ground
// FixColours fixed.
const QWidget* FixedGroundUnder(const QWidget* widget) {
    for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget())
        if (widget->testAttribute(Qt::WA_SetPalette) && widget->autoFillBackground()) return widget;
    return nullptr;
}

double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor ReadableOn(const QColor& ground, const QColor& text) {
    if (ContrastRatio(text, ground) >= kReadableContrast) return text;
    const int step = Luminance(ground) < 0.5 ? 8 : -8;  // away from the ground
    QColor readable = text.toHsl();
    while (ContrastRatio(readable, ground) < kWellReadableContrast) {
        const int lightness = std::clamp(readable.lightness() + step, 0, 255);
        if (lightness == readable.lightness()) break;  // black or white: as far as it goes
        readable.setHsl(readable.hslHue(), readable.hslSaturation(), lightness);
    }
    return readable.toRgb();
}

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

void KeepCaptionsOnFixedGrounds(QWidget& window) {
    for (QWidget* caption : window.findChildren<QWidget*>()) {
        const QWidget* ground = DrawsOnItsGround(caption) ? FixedGroundUnder(caption) : nullptr;
        if (!ground || ground == caption) continue;
        // Styles draw these captions in either role.
        QPalette palette = caption->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
                palette.setColor(group, role, ground->palette().color(group, QPalette::WindowText));
        caption->setPalette(palette);
    }
}

void SetCaptionColour(QWidget& button, const QColor& caption) {
    QPalette palette = button.palette();
    const QColor readable = ReadableOn(palette.color(QPalette::Active, QPalette::Button), caption);
    palette.setColor(QPalette::Active, QPalette::ButtonText, readable);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, readable);
    button.setPalette(palette);
}

void FixColours(QWidget& widget, QPalette::ColorRole ground, const QColor& background,
                const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(ground, background);
    palette.setColor(QPalette::Active, TextRoleOn(ground), text);
    palette.setColor(QPalette::Inactive, TextRoleOn(ground), text);
    palette.setColor(QPalette::Disabled, TextRoleOn(ground), DisabledText(background, text));
    widget.setPalette(palette);
    if (ground == QPalette::Window) widget.setAutoFillBackground(true);
}

}  // namespace vellomar
