#include "clock_face.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr QRect kDial(14, 20, 56, 60);
constexpr QPointF kCentre(42, 50);

// Where a ray from the dial's centre at `angle` (clockwise from twelve)
// crosses a rectangle of the given half sizes around the centre.
QPointF onRectangle(double angle, double halfWidth, double halfHeight)
{
    const double dx = std::sin(angle);
    const double dy = -std::cos(angle);
    const double tx = std::abs(dx) > 1e-9 ? halfWidth / std::abs(dx) : 1e9;
    const double ty = std::abs(dy) > 1e-9 ? halfHeight / std::abs(dy) : 1e9;
    const double t = std::min(tx, ty);
    return kCentre + QPointF(dx * t, dy * t);
}

// The winding crown and its ring on top of the case.
void drawCrown(QPainter& p)
{
    p.setPen(QPen(QColor(120, 96, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(35, 1, 14, 7));
    QLinearGradient brass(36, 0, 48, 0);
    brass.setColorAt(0, QColor(150, 116, 44));
    brass.setColorAt(0.5, QColor(250, 222, 140));
    brass.setColorAt(1, QColor(150, 116, 44));
    p.setPen(QPen(QColor(100, 78, 30), 1));
    p.setBrush(brass);
    p.drawRoundedRect(QRectF(35.5, 4.5, 13, 6), 2, 2);
    p.setPen(QPen(QColor(120, 92, 36), 1));
    for (int x = 38; x <= 46; x += 2)
        p.drawLine(QPointF(x + 0.5, 6), QPointF(x + 0.5, 10));
    p.setBrush(QColor(170, 136, 60));
    p.drawRect(QRectF(39.5, 10.5, 5, 3));
}

// The polished brass case with a darker bezel around the dial.
void drawCase(QPainter& p)
{
    QLinearGradient metal(0, 12, 84, 98);
    metal.setColorAt(0, QColor(255, 236, 170));
    metal.setColorAt(0.45, QColor(214, 170, 74));
    metal.setColorAt(1, QColor(120, 84, 28));
    p.setPen(QPen(QColor(90, 62, 20), 1));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(2.5, 12.5, 79, 86), 14, 14);

    QLinearGradient bezel(0, 80, 0, 20);
    bezel.setColorAt(0, QColor(250, 226, 150));
    bezel.setColorAt(1, QColor(110, 78, 26));
    p.setBrush(bezel);
    p.setPen(QPen(QColor(80, 56, 18), 1));
    p.drawRoundedRect(QRectF(7.5, 14.5, 69, 71), 6, 6);

    // Two screws hold the back.
    for (const QPointF c : {QPointF(12, 92), QPointF(72, 92)}) {
        QRadialGradient head(c - QPointF(1, 1), 3);
        head.setColorAt(0, QColor(255, 250, 220));
        head.setColorAt(1, QColor(140, 104, 40));
        p.setBrush(head);
        p.drawEllipse(c, 2.5, 2.5);
        p.drawLine(c - QPointF(1.5, 0), c + QPointF(1.5, 0));
    }
}

// Twelve hour marks on the bezel, just outside the black dial, the quarters
// longer and brighter.
void drawTicks(QPainter& p)
{
    const double halfW = kDial.width() / 2.0;
    const double halfH = kDial.height() / 2.0;
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = hour * std::numbers::pi / 6;
        const bool quarter = hour % 3 == 0;
        const double reach = quarter ? 5.0 : 3.5;
        p.setPen(QPen(quarter ? QColor(255, 255, 240) : QColor(236, 230, 200), quarter ? 2.0 : 1.5, Qt::SolidLine,
                      Qt::FlatCap));
        p.drawLine(onRectangle(angle, halfW + 0.5, halfH + 0.5), onRectangle(angle, halfW + reach, halfH + reach));
    }
}

}  // namespace

QImage ClockFace()
{
    QImage face(84, 100, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    drawCrown(p);
    drawCase(p);
    drawTicks(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(kDial, Qt::black);
    return face;
}
