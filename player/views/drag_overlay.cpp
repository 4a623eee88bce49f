#include "drag_overlay.h"

#include <QEvent>
#include <QPainter>
#include <QThread>

#include "board_zoom.h"
#include "piece_images.h"

namespace {

// The fly-back takes ten frames, 5 ms apart.
constexpr int kFlyFrames = 10;
constexpr unsigned long kFlyFrameMs = 5;

}  // namespace

DragOverlay::DragOverlay(const PieceImages& images, QWidget* parent) : QWidget(parent), m_images(images)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    if (parent != nullptr) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
    hide();
}

bool DragOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QRect DragOverlay::pieceRect() const
{
    const int s = zoomedLength(m_images.pieceSize(), m_percent);
    return QRect(m_topLeft, QSize(s, s));
}

QRect DragOverlay::shownRect() const
{
    if (!m_shown)
        return {};
    return pieceRect().translated(mapToGlobal(QPoint(0, 0)));
}

QRegion DragOverlay::place(QPoint globalTopLeft, int piece, int turn, bool silhouette, int percent)
{
    QRegion damage;
    if (m_shown)
        damage += pieceRect();
    m_shown = true;
    m_topLeft = mapFromGlobal(globalTopLeft);
    m_piece = piece;
    m_turn = turn;
    m_silhouette = silhouette;
    m_percent = percent;
    damage += pieceRect();
    if (isHidden()) {
        show();
        raise();
    }
    return damage;
}

void DragOverlay::showPiece(QPoint globalTopLeft, int piece, int turn, bool silhouette, int percent)
{
    update(place(globalTopLeft, piece, turn, silhouette, percent));
}

void DragOverlay::hidePiece()
{
    m_shown = false;
    hide();
}

void DragOverlay::flyPiece(QPoint globalFrom, QPoint globalTo, int piece, int turn, bool silhouette)
{
    const int spanX = globalFrom.x() - globalTo.x();
    if (spanX != 0) {
        const double stepX = spanX / static_cast<double>(kFlyFrames);
        const double slope = (globalFrom.y() - globalTo.y()) / static_cast<double>(spanX);
        double x = globalFrom.x();
        for (int frame = 0; frame < kFlyFrames && static_cast<int>(x - globalTo.x()) != 0; ++frame) {
            QThread::msleep(kFlyFrameMs);
            const double y = globalFrom.y() + slope * (x - globalFrom.x());
            repaint(place(QPoint(static_cast<int>(x), static_cast<int>(y)), piece, turn, silhouette, kActualSize));
            x -= stepX;
        }
    }
    hidePiece();
}

void DragOverlay::paintEvent(QPaintEvent*)
{
    if (!m_shown)
        return;
    QPainter painter(this);
    // One piece scales smoothly fast enough as it is painted.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(m_topLeft);
    painter.scale(m_percent / 100.0, m_percent / 100.0);
    if (m_silhouette)
        m_images.drawSilhouette(painter, QPoint(0, 0), m_piece, m_turn, Qt::black);
    else
        m_images.draw(painter, QPoint(0, 0), m_piece, m_turn);
}
