#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

class CKestraDoc;

// The framing view: the picture darkened, the framed part at full brightness,
// the frame and its four corner handles. Mouse input goes to the frame rules
// of frame_drag.h; the view keeps only drawing caches.
class CKestraView : public QWidget {
    Q_OBJECT
public:
    explicit CKestraView(CKestraDoc& doc, QWidget* parent = nullptr);

signals:
    // The frame in picture pixels changed (a drag ended).
    void frameCommitted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& darkenedPicture();
    const QImage& framedPart(const QSize& size, const QRect& source);
    void updateCursor(const QPoint& pos);

    CKestraDoc& m_doc;
    // Drawing caches: the whole picture darkened at display size, and the
    // framed part at the frame's size, each with what it was made from.
    QImage m_darkened;
    qint64 m_darkenedKey = 0;
    QImage m_framed;
    qint64 m_framedKey = 0;
    QRect m_framedSource;
    // Where the frame stood when the drag began; the bright part stays there
    // and the moving frame is shown as a rubber band until the button is up.
    QRect m_dragOrigin;
};
