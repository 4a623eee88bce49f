#include "app_icons.h"

#include "drawn_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace {

// The kind of each side of a piece, top, right, bottom, left: +1 a knob,
// −1 a hole, 0 a straight edge.
using PieceSides = std::array<int, 4>;

// A jigsaw piece whose core square is `core`, outlined clockwise from the top
// left corner. Each knob or hole is most of a circle whose centre lies just
// beyond (or inside) the middle of its side, so that it meets the core
// through a narrow neck.
QPainterPath piecePath(const QRectF& core, const PieceSides& sides)
{
    const qreal radius = core.width() * 0.18;
    const qreal reach = radius * 0.9;
    const qreal neck = std::sqrt(radius * radius - reach * reach);
    const qreal arc = 360 - 2 * std::acos(reach / radius) * 180 / std::numbers::pi;
    const std::array<QPointF, 4> corners = {core.topLeft(), core.topRight(), core.bottomRight(), core.bottomLeft()};
    QPainterPath path;
    path.moveTo(corners[0]);
    for (std::size_t side = 0; side < sides.size(); ++side) {
        const QPointF from = corners[side];
        const QPointF to = corners[(side + 1) % corners.size()];
        if (sides[side] != 0) {
            const QPointF along = (to - from) / core.width();
            const QPointF outwards(along.y(), -along.x());
            const QPointF middle = (from + to) / 2;
            const QPointF centre = middle + outwards * reach * sides[side];
            const QPointF neckStart = middle - along * neck;
            path.lineTo(neckStart);
            const QPointF start = neckStart - centre;
            // Qt's angles run counter-clockwise on the screen: a knob is
            // drawn round the outside (clockwise), a hole round the inside.
            const qreal startAngle = std::atan2(-start.y(), start.x()) * 180 / std::numbers::pi;
            path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), startAngle,
                       sides[side] > 0 ? -arc : arc);
        }
        path.lineTo(to);
    }
    path.closeSubpath();
    return path;
}

// A piece with a soft shadow, a light-to-dark fill and a dark outline.
void paintPiece(QPainter& p, const QPainterPath& piece, const QColor& colour)
{
    p.fillPath(piece.translated(1.5, 1.5), QColor(0, 0, 0, 90));
    const QRectF box = piece.boundingRect();
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour.darker(115));
    p.fillPath(piece, fill);
    p.setPen(QPen(colour.darker(220), 1.5));
    p.drawPath(piece);
}

void paintVorpel(QPainter& p)
{
    QLinearGradient cloth(0, 2, 0, 62);
    cloth.setColorAt(0, QColor(56, 150, 78));
    cloth.setColorAt(1, QColor(28, 96, 46));
    QPainterPath board;
    board.addRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.fillPath(board, cloth);
    paintPiece(p, piecePath(QRectF(14, 22, 28, 28), {1, 1, -1, -1}), QColor(250, 205, 70));
}

void paintPencil(QPainter& p)
{
    p.save();
    p.translate(47, 30);
    p.rotate(45);
    p.setPen(QPen(QColor(60, 40, 20), 1));
    p.setBrush(QColor(245, 160, 170));
    p.drawRect(QRectF(-4, -24, 8, 5));
    p.setBrush(QColor(240, 175, 40));
    p.drawRect(QRectF(-4, -19, 8, 21));
    QPainterPath wood;
    wood.moveTo(-4, 2);
    wood.lineTo(4, 2);
    wood.lineTo(0, 11);
    wood.closeSubpath();
    p.setBrush(QColor(235, 205, 160));
    p.drawPath(wood);
    QPainterPath lead;
    lead.moveTo(-1.6, 7.4);
    lead.lineTo(1.6, 7.4);
    lead.lineTo(0, 11);
    lead.closeSubpath();
    p.fillPath(lead, QColor(50, 50, 50));
    p.restore();
}

void paintKestra(QPainter& p)
{
    QLinearGradient wood(4, 4, 60, 60);
    wood.setColorAt(0, QColor(180, 120, 60));
    wood.setColorAt(1, QColor(115, 70, 30));
    p.fillRect(QRectF(4, 4, 56, 56), wood);
    QLinearGradient sky(0, 11, 0, 53);
    sky.setColorAt(0, QColor(110, 170, 235));
    sky.setColorAt(1, QColor(200, 225, 250));
    const QRectF picture(11, 11, 42, 42);
    p.fillRect(picture, sky);
    QPainterPath hills;
    hills.moveTo(11, 40);
    hills.cubicTo(22, 30, 34, 44, 53, 34);
    hills.lineTo(53, 53);
    hills.lineTo(11, 53);
    hills.closeSubpath();
    p.fillPath(hills, QColor(80, 160, 80));
    p.setPen(QPen(QColor(70, 40, 15), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(picture);
    paintPiece(p, piecePath(QRectF(15, 33, 16, 16), {1, 1, 0, 0}), QColor(250, 205, 70));
    paintPencil(p);
}

// A sheet of paper with its top right corner folded over.
void paintPage(QPainter& p)
{
    QPainterPath page;
    page.moveTo(10, 3);
    page.lineTo(42, 3);
    page.lineTo(54, 15);
    page.lineTo(54, 61);
    page.lineTo(10, 61);
    page.closeSubpath();
    p.fillPath(page, QColor(252, 252, 248));
    p.setPen(QPen(QColor(110, 110, 110), 1.5));
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(42, 3);
    fold.lineTo(42, 15);
    fold.lineTo(54, 15);
    fold.closeSubpath();
    p.fillPath(fold, QColor(210, 210, 205));
    p.drawPath(fold);
}

void paintPuzzleFile(QPainter& p)
{
    paintPage(p);
    paintPiece(p, piecePath(QRectF(19, 27, 24, 24), {1, 1, -1, -1}), QColor(250, 205, 70));
}

void paintPlayFile(QPainter& p)
{
    paintPage(p);
    paintPiece(p, piecePath(QRectF(16, 22, 20, 20), {1, 1, -1, -1}), QColor(110, 160, 230));
    p.setPen(QPen(QColor(20, 90, 40), 1.5));
    p.setBrush(QColor(50, 160, 80));
    p.drawEllipse(QPointF(43, 49), 9, 9);
    QPainterPath play;
    play.moveTo(40, 44);
    play.lineTo(48, 49);
    play.lineTo(40, 54);
    play.closeSubpath();
    p.fillPath(play, Qt::white);
}

}  // namespace

void paintAppIcon(QPainter& p, AppIcon icon)
{
    switch (icon) {
    case AppIcon::Vorpel: paintVorpel(p); break;
    case AppIcon::Kestra: paintKestra(p); break;
    case AppIcon::PuzzleFile: paintPuzzleFile(p); break;
    case AppIcon::PlayFile: paintPlayFile(p); break;
    }
}

QString appIconName(AppIcon icon)
{
    switch (icon) {
    case AppIcon::Vorpel: return QStringLiteral("vorpel");
    case AppIcon::Kestra: return QStringLiteral("kestra");
    case AppIcon::PuzzleFile: return QStringLiteral("application-x-jzt-puzzle");
    case AppIcon::PlayFile: return QStringLiteral("application-x-jpd-play");
    }
    return {};
}

bool isProgramIcon(AppIcon icon)
{
    return icon == AppIcon::Vorpel || icon == AppIcon::Kestra;
}

QImage appIconImage(AppIcon icon, int side)
{
    return drawnIconImage([icon](QPainter& p) { paintAppIcon(p, icon); }, side);
}

QIcon appIcon(AppIcon icon)
{
    return drawnIcon([icon](QPainter& p) { paintAppIcon(p, icon); });
}
