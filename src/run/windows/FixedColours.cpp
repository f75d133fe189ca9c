#include "run/windows/FixedColours.h"

#include <QWidget>

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

}  // namespace

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
