#include "title_room.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

#include <algorithm>

int titleRoom(const QWidget& window)
{
    QFont font = QApplication::font("QTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                             metrics.height() * 2);
    return metrics.horizontalAdvance(window.windowTitle()) + 4 * bar;
}
