#include "screen_area.h"

#include <QGuiApplication>
#include <QMargins>
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

// The decoration around the window's client area. Until the window manager
// has framed the window it is unknown: the title bar is then estimated from
// the style, since it is the part that would leave the screen at the top.
QMargins decorationOf(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QMargins known(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                         frame.bottom() - client.bottom());
    if (known.top() > 0)
        return known;
    return QMargins(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), 0, 0);
}

}  // namespace

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
    const QMargins decoration = decorationOf(window);
    const QRect area = availableAreaAt(client.center());
    QRect placed = client;
    if (area.isValid())
        placed = keptInside(client.marginsAdded(decoration), area).marginsRemoved(decoration);
    window.setGeometry(placed);
}
