#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// The decoration the window manager draws around the window's client area.
// Until the window has been framed it is unknown: the title bar is then
// estimated from the style, since it is the part that would leave the
// screen at the top.
QMargins windowDecoration(const QWidget& window);

// `frame` moved, and shrunk where it is larger, so that it lies inside `area`.
QRect keptInside(QRect frame, const QRect& area);

// Puts a top-level window so that its client area is `client`, moved (and,
// for a resizable window, shrunk) just far enough for the whole window, with
// the decoration the window manager draws around it, to lie inside the
// available area of its screen: no part of it above or left of the screen,
// none under a panel.
void placeClientInside(QWidget& window, const QRect& client);
