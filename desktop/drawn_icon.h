#pragma once

#include <QIcon>
#include <QImage>

#include <array>
#include <functional>

class QPainter;

// The sizes, in pixels, at which icons are drawn for windows and installed
// for the desktop.
inline constexpr std::array<int, 7> kIconSides = {16, 24, 32, 48, 64, 128, 256};

// An icon drawn rather than stored: `paint` draws it on a 64 × 64 canvas,
// which is scaled to a transparent side × side image.
QImage drawnIconImage(const std::function<void(QPainter&)>& paint, int side);

// The drawing at each of kIconSides.
QIcon drawnIcon(const std::function<void(QPainter&)>& paint);
