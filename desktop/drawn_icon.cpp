#include "drawn_icon.h"

#include <QPainter>
#include <QPixmap>

QIcon drawnIcon(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    for (const int side : {16, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 64.0, side / 64.0);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
