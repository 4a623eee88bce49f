#include "kestra_view.h"

#include "frame_drag.h"
#include "kestra_doc.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kBackground(200, 200, 200);
const QColor kFrameColor(255, 180, 180);
constexpr int kBandWidth = 3;

QRect toQRect(const KRect& r)
{
    return {r.left, r.top, r.width(), r.height()};
}

KPoint toKPoint(const QPoint& p)
{
    return {p.x(), p.y()};
}

Qt::CursorShape cursorShape(FrameCursor c)
{
    switch (c) {
    case FrameCursor::Cross:
        return Qt::CrossCursor;
    case FrameCursor::SizeAll:
        return Qt::SizeAllCursor;
    case FrameCursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case FrameCursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case FrameCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

// The rubber band: a 3-pixel border drawn by inverting what lies under it.
void drawBand(QPainter& painter, const QRect& r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    const int b = kBandWidth;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), b), Qt::black);
    painter.fillRect(QRect(r.left(), r.bottom() - b + 1, r.width(), b), Qt::black);
    painter.fillRect(QRect(r.left(), r.top() + b, b, r.height() - 2 * b), Qt::black);
    painter.fillRect(QRect(r.right() - b + 1, r.top() + b, b, r.height() - 2 * b), Qt::black);
    painter.restore();
}

}  // namespace

CKestraView::CKestraView(CKestraDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QImage& CKestraView::darkenedPicture()
{
    const QSize display(m_doc.m_nDisplayWidth, m_doc.m_nDisplayHeight);
    if (m_darkenedKey != m_doc.m_imgPicture.cacheKey() || m_darkened.size() != display) {
        // Stretched smoothly to the display size; the default mode {} leaves
        // the proportions free, as the display size already keeps them.
        m_darkened = m_doc.m_imgPicture.convertToFormat(QImage::Format_RGB32)
                         .scaled(display, {}, Qt::SmoothTransformation);
        // Darkened by the grey background: each channel scaled by 200/255.
        // (A bitwise AND with the grey would posterize the colours.)
        for (int y = 0; y < m_darkened.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_darkened.scanLine(y));
            for (int x = 0; x < m_darkened.width(); ++x) {
                const QRgb c = line[x];
                line[x] = qRgb(qRed(c) * 200 / 255, qGreen(c) * 200 / 255, qBlue(c) * 200 / 255);
            }
        }
        m_darkenedKey = m_doc.m_imgPicture.cacheKey();
    }
    return m_darkened;
}

const QImage& CKestraView::framedPart(const QSize& size, const QRect& source)
{
    if (m_framedKey != m_doc.m_imgPicture.cacheKey() || m_framed.size() != size || m_framedSource != source) {
        // Stretched to the frame whatever its proportions (default mode {}).
        m_framed = m_doc.m_imgPicture.copy(source).scaled(size, {}, Qt::SmoothTransformation);
        m_framedKey = m_doc.m_imgPicture.cacheKey();
        m_framedSource = source;
    }
    return m_framed;
}

void CKestraView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    if (!m_doc.m_bPictureLoaded || m_doc.m_imgPicture.isNull())
        return;
    painter.drawImage(0, 0, darkenedPicture());

    const bool dragging = m_doc.m_bMoving || m_doc.m_nCorner != 0;
    const QRect frameView = dragging ? m_dragOrigin : toQRect(m_doc.m_rcFrameView);
    const QRect source = toQRect(m_doc.SurfaceRect(m_doc.m_rcFrame));
    if (!frameView.isEmpty() && !source.isEmpty())
        painter.drawImage(frameView.topLeft(), framedPart(frameView.size(), source));

    // One-pixel outline and the four handles, all of the current frame.
    const QRect f = toQRect(m_doc.m_rcFrameView);
    if (f.width() > 0 && f.height() > 0) {
        painter.fillRect(QRect(f.left(), f.top(), f.width(), 1), kFrameColor);
        painter.fillRect(QRect(f.left(), f.bottom(), f.width(), 1), kFrameColor);
        painter.fillRect(QRect(f.left(), f.top(), 1, f.height()), kFrameColor);
        painter.fillRect(QRect(f.right(), f.top(), 1, f.height()), kFrameColor);
    }
    if (dragging) {
        drawBand(painter, f);
        return;
    }
    for (const KRect& h : m_doc.m_rcHandle)
        painter.fillRect(toQRect(h), kFrameColor);
}

void CKestraView::updateCursor(const QPoint& pos)
{
    setCursor(cursorShape(kestra::frameCursorAt(m_doc, toKPoint(pos))));
}

void CKestraView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_doc.m_bPictureLoaded)
        return;
    const QRect before = toQRect(m_doc.m_rcFrameView);
    if (kestra::framePress(m_doc, toKPoint(event->position().toPoint()))) {
        m_dragOrigin = before;
        setCursor(cursorShape(m_doc.m_hCurrentCursor));
        update();
    }
}

void CKestraView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    updateCursor(pos);
    // The frame stays on the displayed picture, whatever the widget's size.
    const KRect client{0, 0, m_doc.m_nDisplayWidth, m_doc.m_nDisplayHeight};
    if (kestra::frameDrag(m_doc, toKPoint(pos), client))
        update();
}

void CKestraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (kestra::frameRelease(m_doc)) {
        updateCursor(event->position().toPoint());
        update();
        emit frameCommitted();
    }
}
