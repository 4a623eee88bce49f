#pragma once

#include <QWidget>

#include "game_clock.h"
#include "vorpel_doc.h"

// A plain panel over the board and the tray while the game is paused: the
// clock stands still (CVorpelDoc::PauseClock) and no piece is in sight. Any
// key or click on it starts the clock again. It holds nothing of its own:
// it is shown exactly while the document's clock is paused.
class PauseCover : public QWidget {
    Q_OBJECT
public:
    // Covers `parent` whole: the panes' area of the main window.
    PauseCover(CVorpelDoc& doc, GameClock& clock, QWidget* parent);

    // Stops the clock and covers the panes, when a game is being timed.
    void pause();
    // Shows or hides the cover as the document's clock is paused or not:
    // after a game replaced the last.
    void follow();

signals:
    void resumed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Keeps the cover over its parent.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resume();

    CVorpelDoc& m_doc;
    GameClock& m_clock;
};
