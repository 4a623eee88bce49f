#include "screen_area.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

// The available area of the screen that holds `point`, else of the primary
// screen.
QRect availableAreaAt(const QPoint& point)
{
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

QMargins windowDecoration(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QMargins known(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                         frame.bottom() - client.bottom());
    if (known.top() > 0)
        return known;
    return QMargins(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), 0, 0);
}

QRect keptInside(QRect frame, const QRect& area)
{
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    return frame;
}

void placeClientInside(QWidget& window, const QRect& client)
{
    const QMargins decoration = windowDecoration(window);
    const QRect area = availableAreaAt(client.center());
    QRect placed = client;
    if (area.isValid())
        placed = keptInside(client.marginsAdded(decoration), area).marginsRemoved(decoration);
    window.setGeometry(placed);
}
