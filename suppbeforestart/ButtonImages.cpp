#include "ButtonImages.h"

#include <QPainter>
#include <QPixmap>

namespace buttonimages {

namespace {
constexpr int kSize = 16;

QPixmap blank()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

QIcon table()
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    const QRect sheet(1, 2, 13, 11);
    painter.fillRect(sheet, Qt::white);
    painter.fillRect(QRect(1, 2, 13, 3), QColor(0, 70, 160));
    painter.setPen(QColor(90, 90, 90));
    for (int y : {8, 11})
        painter.drawLine(2, y, 13, y);
    for (int x : {5, 9})
        painter.drawLine(x, 5, x, 13);
    painter.setPen(QColor(40, 40, 40));
    painter.drawRect(sheet);
    return QIcon(pixmap);
}

QIcon power()
{
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(210, 0, 0), 2.0, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    // A ring open at the top, and the stroke through the opening.
    painter.drawArc(QRectF(2.5, 3.5, 11, 11), 120 * 16, 300 * 16);
    painter.drawLine(QPointF(8, 1.5), QPointF(8, 8));
    return QIcon(pixmap);
}

} // namespace buttonimages
