#pragma once

class QWidget;

// The width a window needs for its frame to show the whole of its title
// beside the icon and the three buttons a window manager may put there: the
// title in the title bar's font, made bold as most frames draw it, and a
// square as high as the title bar for each of the four.
int titleRoom(const QWidget& window);
