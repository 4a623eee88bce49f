#include "tray_view.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

#include "board_zoom.h"
#include "drag_overlay.h"
#include "piece_images.h"
#include "play_rules.h"
#include "sound_effects.h"

namespace {

// One wheel notch moves the tray this far before the ordinary scrolling.
constexpr int kWheelStep = 70;
// A right click this close below the top of the window's frame ends a drag
// as a release would.
constexpr int kTitleBand = 25;
// Edge scrolling crosses the tray's range in 46 steps.
constexpr int kTrayEdgeSteps = 46;

QPoint toQPoint(POINT p)
{
    return QPoint(p.x, p.y);
}

}  // namespace

CPsView::CPsView(CVorpelDoc& doc, const PieceImages& images, SoundEffects& sounds, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_images(images), m_sounds(sounds), m_filterBox(new QComboBox(this))
{
    m_filterBox->setToolTip(tr("トレイに表示するピース"));
    m_filterBox->addItem(tr("すべてのピース"), static_cast<int>(TrayFilter::All));
    m_filterBox->addItem(tr("辺と角のピース"), static_cast<int>(TrayFilter::Edges));
    m_filterBox->addItem(tr("内側のピース"), static_cast<int>(TrayFilter::Inner));
    for (int tabs = 0; tabs <= 4; ++tabs)
        m_filterBox->addItem(tr("凸が %n 個のピース", nullptr, tabs), static_cast<int>(TrayFilter::Tabs0) + tabs);
    connect(m_filterBox, &QComboBox::currentIndexChanged, this, [this] {
        m_filter = static_cast<TrayFilter>(m_filterBox->currentData().toInt());
        viewport()->update();
    });
    // The filter sits above the slots, inside the pane.
    setViewportMargins(0, m_filterBox->sizeHint().height(), 0, 0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setMouseTracking(true);
    layOut();
}

void CPsView::setHandOver(std::unique_ptr<PieceHandOver> handOver)
{
    m_handOver = std::move(handOver);
}

void CPsView::setOverlay(DragOverlay* overlay)
{
    m_overlay = overlay;
}

void CPsView::documentChanged()
{
    m_flyingSlot = -1;
    layOut();
    viewport()->update();
}

void CPsView::cancelDrag()
{
    if (!m_doc.GetTrayDrag())
        return;
    ReleaseTrayDrag(m_doc, TrayDropPoint{});
    if (m_overlay != nullptr)
        m_overlay->hidePiece();
    viewport()->update();
}

void CPsView::layOut()
{
    LayoutTray(m_doc, viewport()->width());
    const int s = m_doc.PieceSize();
    QScrollBar* bar = verticalScrollBar();
    if (s <= 0) {
        bar->setRange(0, 0);
        return;
    }
    const int total = (m_doc.PieceCount() / m_doc.GetTrayCols() + 1) * s;
    bar->setRange(0, std::max(0, total - viewport()->height()));
    bar->setPageStep(viewport()->height());
    // The arrows step by a hundredth of the whole length.
    bar->setSingleStep(std::max(1, total / 100));
}

int CPsView::scrollY() const
{
    return verticalScrollBar()->value();
}

QPoint CPsView::trayPoint(QPoint viewportPos) const
{
    return viewportPos + QPoint(0, scrollY());
}

QRect CPsView::slotRect(int slot) const
{
    const int s = m_doc.PieceSize();
    return QRect(toQPoint(TraySlotOrigin(m_doc, slot)) - QPoint(0, scrollY()), QSize(s, s));
}

void CPsView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_filterBox->setGeometry(viewport()->x(), contentsRect().top(), viewport()->width(),
                             m_filterBox->sizeHint().height());
    layOut();
}

void CPsView::paintEvent(QPaintEvent* event)
{
    LayoutTray(m_doc, viewport()->width());
    QPainter painter(viewport());
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(event->rect(), background);
    const int s = m_doc.PieceSize();
    if (m_images.isEmpty() || m_images.pieceSize() != s || s <= 0)
        return;

    // Mode 2 shows each piece as its outline inverted against the background.
    const bool silhouettes = m_doc.GetBlackMode() == 2;
    const QColor inverse(255 - background.red(), 255 - background.green(), 255 - background.blue());
    const int cols = m_doc.GetTrayCols();
    const QRect exposed = event->rect();
    const int firstRow = std::max(0, (exposed.top() + scrollY()) / s);
    const int lastRow = (exposed.bottom() + scrollY()) / s;
    const int lastCol = std::min(cols - 1, exposed.right() / s);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = std::max(0, exposed.left() / s); col <= lastCol; ++col) {
            const int slot = row * cols + col;
            if (slot > m_doc.PieceCount())
                return;
            const int piece = m_doc.GetTrayPiece(slot);
            const int turn = m_doc.GetTrayTurn(slot);
            if (piece < 0 || turn == 0 || slot == m_flyingSlot || !isShown(piece))
                continue;
            const QRect cell = slotRect(slot);
            if (silhouettes) {
                m_images.drawSilhouette(painter, cell.topLeft(), piece, turn, inverse);
            } else {
                painter.fillRect(cell, Qt::white);
                m_images.draw(painter, cell.topLeft(), piece, turn);
            }
        }
    }
}

void CPsView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() + (delta < 0 ? kWheelStep : -kWheelStep));
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CPsView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QPoint globalPos = event->globalPosition().toPoint();
    if (event->button() == Qt::RightButton) {
        rightPress(pos, globalPos, false);
        return;
    }
    if (event->button() != Qt::LeftButton || m_doc.GetTrayDrag())
        return;
    // A group carried on the board keeps the board's hold until it is put down.
    if (m_doc.GetHolding())
        return;
    const QPoint point = trayPoint(pos);
    if (hidesPieceAt(point) || !PickUpFromTray(m_doc, POINT{point.x(), point.y()}))
        return;
    viewport()->update(slotRect(m_doc.GetDragSlot()));
    const int s = m_doc.PieceSize();
    m_lastDragImage = globalPos - QPoint(s / 2, s / 2);
    showDragImage(globalPos);
}

void CPsView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a quick double click comes only as this event: on
    // the left it picks up as any press does.
    if (event->button() == Qt::LeftButton)
        mousePressEvent(event);
    else if (event->button() == Qt::RightButton)
        rightPress(event->position().toPoint(), event->globalPosition().toPoint(), true);
}

void CPsView::rightPress(QPoint viewportPos, QPoint globalPos, bool doubleClick)
{
    if (m_doc.GetTrayDrag()) {
        const QRect frame = window()->frameGeometry();
        const bool inTitleBand = globalPos.x() >= frame.left() && globalPos.x() <= frame.right() &&
                                 globalPos.y() >= frame.top() && globalPos.y() <= frame.top() + kTitleBand;
        if (!doubleClick && inTitleBand) {
            endDrag(globalPos);
            return;
        }
        TurnDraggedPiece(m_doc);
        showDragImage(globalPos);
        return;
    }
    const QPoint point = trayPoint(viewportPos);
    const POINT hit{point.x(), point.y()};
    if (!hidesPieceAt(point) && TurnTrayPieceAt(m_doc, hit))
        viewport()->update(slotRect(TraySlotAt(m_doc, hit)));
    else
        emit contextMenuRequested(globalPos);
}

bool CPsView::isShown(int piece) const
{
    return FilterShows(m_filter, KindOfPiece(m_doc, piece), m_images.tabSides(piece));
}

bool CPsView::hidesPieceAt(QPoint trayPoint) const
{
    const int slot = TraySlotAt(m_doc, POINT{trayPoint.x(), trayPoint.y()});
    return slot != kNoPiece && m_doc.GetTrayTurn(slot) != 0 && !isShown(m_doc.GetTrayPiece(slot));
}

void CPsView::showDragImage(QPoint globalPos)
{
    if (m_overlay == nullptr)
        return;
    // Over the board the piece shows as it would land there, at the board's
    // zoom; elsewhere at the tray's actual size.
    const int percent = m_handOver ? m_handOver->zoomAt(globalPos) : kActualSize;
    const int half = zoomedLength(m_doc.PieceSize(), percent) / 2;
    m_overlay->showPiece(globalPos - QPoint(half, half), m_doc.GetDragPiece(), m_doc.GetDragTurn(),
                         m_doc.GetBlackMode() == 2, percent);
}

void CPsView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_doc.GetTrayDrag()) {
        setFocus();
        return;
    }
    MoveTrayDrag(m_doc);
    const QPoint globalPos = event->globalPosition().toPoint();
    const int s = m_doc.PieceSize();
    const QPoint imageTopLeft = globalPos - QPoint(s / 2, s / 2);
    if (m_handOver)
        m_handOver->followDrag(globalPos, m_lastDragImage, imageTopLeft, s);
    scrollTrayAtEdges(globalPos, imageTopLeft);
    showDragImage(globalPos);
    m_lastDragImage = imageTopLeft;
}

void CPsView::scrollTrayAtEdges(QPoint globalPos, QPoint imageTopLeft)
{
    QScrollBar* bar = verticalScrollBar();
    if (bar->maximum() <= 0)
        return;
    const QRect w(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    const int step = std::max(1, bar->maximum() / kTrayEdgeSteps);
    const int band = 2 * m_doc.PieceSize() / 3;
    const int y = globalPos.y();
    if (globalPos.x() < w.left() || globalPos.x() > w.right())
        return;
    if (y >= w.top() && y <= w.top() + band && imageTopLeft.y() < m_lastDragImage.y() && bar->value() > 0)
        bar->setValue(bar->value() - step);
    else if (y >= w.bottom() - band && y <= w.bottom() && imageTopLeft.y() > m_lastDragImage.y() &&
             bar->value() < bar->maximum())
        bar->setValue(bar->value() + step);
}

void CPsView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_doc.GetTrayDrag())
        endDrag(event->globalPosition().toPoint());
}

void CPsView::endDrag(QPoint globalPos)
{
    const QPoint pos = viewport()->mapFromGlobal(globalPos);
    TrayDropPoint drop;
    if (pos.x() > 0 && pos.x() < viewport()->width() && pos.y() > 0 && pos.y() < viewport()->height()) {
        // A hidden piece keeps its slot: a drop there flies back.
        const QPoint point = trayPoint(pos);
        if (!hidesPieceAt(point))
            drop = TrayDropPoint{TrayDropPoint::Where::Tray, POINT{point.x(), point.y()}};
    } else if (m_handOver) {
        drop = m_handOver->dropAt(globalPos);
    }
    const TrayRelease release = ReleaseTrayDrag(m_doc, drop);

    if (release.join) {
        if (m_overlay != nullptr)
            m_overlay->hidePiece();
        viewport()->update();
        if (m_handOver)
            m_handOver->arrive(*release.join);
        return;
    }

    m_sounds.play(SoundEffect::FlyBack);
    if (m_overlay != nullptr) {
        if (release.flyTurn != 0 && release.flySlot >= 0) {
            const int s = m_doc.PieceSize();
            const QPoint to = viewport()->mapToGlobal(slotRect(release.flySlot).topLeft());
            m_flyingSlot = release.flySlot;
            m_overlay->flyPiece(globalPos - QPoint(s / 2, s / 2), to, release.flyPiece, release.flyTurn,
                                m_doc.GetBlackMode() == 2);
            m_flyingSlot = -1;
        }
        m_overlay->hidePiece();
    }
    viewport()->update();
}
