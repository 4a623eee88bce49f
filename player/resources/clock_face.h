#pragma once

#include <QImage>

// The elapsed-time window's clock face, drawn by code: 84 × 100 pixels, with
// the black dial the hands are drawn on at (14, 20), 56 × 60, centred on
// (42, 50).
QImage ClockFace();
