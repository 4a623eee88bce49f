#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

class QPainter;

// The kit's icons, drawn by code so that the window icons and the icon files
// installed for the desktop come from the same drawing.
enum class AppIcon {
    Vorpel,      // the player: a jigsaw piece on green cloth
    Kestra,      // the maker: a framed picture with a piece and a pencil
    PuzzleFile,  // a puzzle data file (.jzt): a page holding a piece
    PlayFile,    // a play file (.jpd): a page holding a piece and a play mark
};

// Draws `icon` on a 64 × 64 canvas.
void paintAppIcon(QPainter& p, AppIcon icon);

// The icon's name in an icon theme: "vorpel", "application-x-jzt-puzzle", ...
QString appIconName(AppIcon icon);

// True for the two programs' icons ("apps" in an icon theme), false for the
// file type icons ("mimetypes").
bool isProgramIcon(AppIcon icon);

// The icon drawn on a transparent side × side image.
QImage appIconImage(AppIcon icon, int side);

// The icon at every usual size, for a window.
QIcon appIcon(AppIcon icon);
