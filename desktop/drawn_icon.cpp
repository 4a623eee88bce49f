#include "drawn_icon.h"

#include <QPainter>
#include <QPixmap>

QImage drawnIconImage(const std::function<void(QPainter&)>& paint, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);
    paint(p);
    p.end();
    return image;
}

QIcon drawnIcon(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    for (const int side : kIconSides)
        icon.addPixmap(QPixmap::fromImage(drawnIconImage(paint, side)));
    return icon;
}
