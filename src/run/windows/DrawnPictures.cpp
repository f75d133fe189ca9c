#include "run/windows/DrawnPictures.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <functional>

namespace vellomar {
namespace {

const QColor kNavy(0, 0, 128);

// Drawn at twice the size it is shown at, so it stays crisp on dense screens.
QIcon Draw(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(2 * size, 2 * size);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(2, 2);
        paint(painter);
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon StopPicture() {
    return Draw(22, [](QPainter& painter) {
        QPolygonF octagon;
        const double radius = 10.5;
        for (int corner = 0; corner < 8; ++corner) {
            const double angle = M_PI / 8 + corner * M_PI / 4;
            octagon << QPointF(11 + radius * std::cos(angle), 11 + radius * std::sin(angle));
        }
        painter.setPen(QPen(QColor(120, 0, 0), 1));
        painter.setBrush(QColor(205, 20, 20));
        painter.drawPolygon(octagon);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 7, 8, 8));
    });
}

QIcon SortPicture() {
    return Draw(16, [](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kNavy);
        for (int bar = 0; bar < 4; ++bar)
            painter.drawRect(QRectF(1, 2 + bar * 3.5, 8 - bar * 2, 2));
        painter.drawRect(QRectF(11.5, 1, 2, 9));
        painter.drawPolygon(QPolygonF({QPointF(9, 9), QPointF(16, 9), QPointF(12.5, 15)}));
    });
}

QIcon RamDiskPicture() {
    return Draw(16, [](QPainter& painter) {
        painter.setPen(QPen(QColor(184, 134, 11), 1.2));
        for (int pin = 0; pin < 5; ++pin) {
            const double x = 3 + pin * 2.5;
            painter.drawLine(QPointF(x, 1), QPointF(x, 15));
        }
        painter.setPen(QPen(QColor(0, 70, 0), 1));
        painter.setBrush(QColor(30, 130, 60));
        painter.drawRect(QRectF(1.5, 3.5, 13, 9));
        painter.setBrush(QColor(30, 30, 30));
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(4, 6, 3, 4));
        painter.drawRect(QRectF(9, 6, 3, 4));
    });
}

}  // namespace vellomar
