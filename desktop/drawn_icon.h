#pragma once

#include <QIcon>

#include <functional>

class QPainter;

// An application icon drawn rather than stored: `paint` draws it on a 64 × 64
// canvas, which is scaled to each of the usual icon sizes.
QIcon drawnIcon(const std::function<void(QPainter&)>& paint);
