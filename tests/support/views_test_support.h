#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <memory>
#include <vector>

#include "board_view.h"
#include "document_test_support.h"
#include "piece_images.h"
#include "sound_effects.h"
#include "vorpel_doc.h"

// Writes down every sound the views ask for, in order.
class RecordingSounds final : public SoundEffects {
public:
    std::vector<SoundEffect> played;
    void play(SoundEffect effect) override { played.push_back(effect); }
    int count(SoundEffect effect) const { return static_cast<int>(std::count(played.begin(), played.end(), effect)); }
};

// Collects the areas a widget it filters was asked to paint.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// Where piece id's image lies when the whole puzzle is laid out upright with
// piece 0 at board (x0, y0).
inline POINT homePlace(const CVorpelDoc& doc, int piece, int x0, int y0)
{
    return POINT{x0 + (piece % doc.GetCols()) * doc.Pitch(), y0 + (piece / doc.GetCols()) * doc.Pitch()};
}

// A wheel turned by `delta` (120 a notch, positive away from the user) with
// the cursor at `at` on a widget.
inline void wheelAt(QWidget* widget, QPoint at, int delta, Qt::KeyboardModifiers modifiers = {})
{
    QWheelEvent event(QPointF(at), widget->mapToGlobal(QPointF(at)), {}, QPoint(0, delta), {}, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// What a new board view paints from the document alone, with no cache
// history, at the size, zoom and scroll position of `shown`.
QImage freshBoardShot(const CVorpelView& shown, CVorpelDoc& doc, const PieceImages& images);

// A 12-piece game (3 × 4, S 200, margin 80, pitch 120) on a board view that
// fills a pane of its own, with mouse gestures given in board coordinates.
class BoardHarness {
protected:
    FakeClock m_clock;
    std::unique_ptr<CVorpelDoc> m_doc;
    PieceImages m_images;
    RecordingSounds m_sounds;
    std::unique_ptr<QWidget> m_pane;
    CVorpelView* m_view = nullptr;
    int m_s = 0;

    void openBoard(QSize pane)
    {
        m_doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, m_clock);
        m_images.rebuild(*m_doc);
        m_s = m_doc->PieceSize();
        m_sounds.played.clear();
        m_pane = std::make_unique<QWidget>();
        m_view = new CVorpelView(*m_doc, m_images, m_sounds, m_pane.get());
        resizeBoard(pane);
        m_pane->show();
        QApplication::processEvents();
    }
    void resizeBoard(QSize pane)
    {
        m_pane->resize(pane);
        m_view->setGeometry(QRect(QPoint(0, 0), pane));
    }
    QWidget* vp() const { return m_view->viewport(); }
    void scrollBoard(QPoint to)
    {
        m_view->horizontalScrollBar()->setValue(to.x());
        m_view->verticalScrollBar()->setValue(to.y());
    }
    // Board points map exactly at every zoom when their coordinates are
    // multiples of 4.
    QPoint onView(QPoint board) const { return board * m_view->zoomPercent() / 100 - m_view->scrollPosition(); }
    QRect rectOf(int id) const
    {
        const RECT r = m_doc->PieceRect()[id % m_doc->GetCols()][id / m_doc->GetCols()];
        return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    QPoint centreOf(int id) const { return rectOf(id).topLeft() + QPoint(m_s / 2, m_s / 2); }
    QImage shot() const
    {
        QApplication::processEvents();
        return vp()->grab().toImage();
    }
    // Whether the view shows what a new view paints from the document alone.
    bool paintedAsNew() const { return shot() == freshBoardShot(*m_view, *m_doc, m_images); }
    void mouseAt(QEvent::Type type, Qt::MouseButton button, QPoint at, Qt::MouseButtons buttons = {},
                 Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, at, vp()->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(vp(), &event);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint board, Qt::MouseButtons buttons = {},
               Qt::KeyboardModifiers modifiers = {})
    {
        mouseAt(type, button, onView(board), buttons, modifiers);
    }
    void click(QPoint board, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonPress, button, board, button, modifiers);
        mouse(QEvent::MouseButtonRelease, button, board, {}, modifiers);
    }
    // Lays pieces first to last upright at their home places from `origin`,
    // as one group.
    void layJoined(int first, int last, QPoint origin)
    {
        GroupMatrix group{};
        for (int id = first; id <= last; ++id) {
            const POINT home = homePlace(*m_doc, id, origin.x(), origin.y());
            placeOnBoard(*m_doc, id, 1, home.x, home.y);
            group[id % m_doc->GetCols()][id / m_doc->GetCols()] = 1;
        }
        for (int id = first; id <= last; ++id)
            m_doc->Group(id) = group;
    }
};
