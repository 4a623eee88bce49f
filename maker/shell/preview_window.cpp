#include "preview_window.h"

#include "kestra_doc.h"

#include <QCloseEvent>
#include <QPainter>

namespace {

QSize pictureSize(const CKestraDoc& doc)
{
    return {doc.PuzzleWidth() * 2 / 5, doc.PuzzleHeight() * 2 / 5};
}

}  // namespace

QSize previewWindowSize(const CKestraDoc& doc)
{
    return pictureSize(doc) + QSize(30, 50);
}

PreviewWindow::PreviewWindow(const CKestraDoc& doc, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc)
{
    setWindowTitle(tr("パズル"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitToPuzzle();
}

void PreviewWindow::fitToPuzzle()
{
    setFixedSize(previewWindowSize(m_doc));
    update();
}

QRect PreviewWindow::pictureRect() const
{
    const QSize size = pictureSize(m_doc);
    return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

void PreviewWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect target = pictureRect();
    const KRect f = m_doc.SurfaceRect(m_doc.m_rcFrame);
    const QRect source(f.left, f.top, f.width(), f.height());
    if (m_doc.m_imgPicture.isNull() || source.isEmpty()) {
        painter.fillRect(target, Qt::black);
        return;
    }
    if (m_cache.size() != target.size() || m_cacheKey != m_doc.m_imgPicture.cacheKey() || m_cacheSource != source) {
        // Stretched to the puzzle's proportions (default mode {}).
        m_cache = m_doc.m_imgPicture.copy(source).scaled(target.size(), {},
                                                         Qt::SmoothTransformation);
        m_cacheKey = m_doc.m_imgPicture.cacheKey();
        m_cacheSource = source;
    }
    painter.drawImage(target.topLeft(), m_cache);
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
}
