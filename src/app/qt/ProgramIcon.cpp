#include "app/qt/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app::qt {
namespace {

QPixmap House(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.scale(s, s);
    // Walls, roof, door and a magnifying glass: a house under inspection.
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(QColor(236, 224, 196));
    p.drawRect(QRectF(6, 14, 18, 14));
    QPainterPath roof;
    roof.moveTo(3, 15);
    roof.lineTo(15, 4);
    roof.lineTo(27, 15);
    roof.closeSubpath();
    p.setBrush(QColor(176, 48, 40));
    p.drawPath(roof);
    p.setBrush(QColor(96, 64, 40));
    p.drawRect(QRectF(10, 19, 5, 9));
    p.setBrush(QColor(200, 228, 250, 220));
    p.setPen(QPen(QColor(30, 60, 120), 2.0));
    p.drawEllipse(QPointF(22, 21), 5, 5);
    p.drawLine(QPointF(25.5, 24.5), QPointF(30, 29));
    return pixmap;
}

QPixmap Printer(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));   // paper going in
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10, 7, 4.5));  // paper coming out
    p.setPen(QPen(QColor(60, 60, 60), 0.6));
    p.drawLine(QPointF(5.5, 12), QPointF(10.5, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 60));
    p.drawEllipse(QPointF(12.5, 8), 0.8, 0.8);
    return pixmap;
}

} // namespace

QIcon PrinterIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(Printer(size));
    return icon;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(House(size));
    return icon;
}

} // namespace app::qt
