#include "pause_cover.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "document_commands.h"

PauseCover::PauseCover(CVorpelDoc& doc, GameClock& clock, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_clock(clock)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    auto* text = new QLabel(tr("一時停止中です。キーを押すかクリックすると再開します。"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
    hide();
}

void PauseCover::pause()
{
    if (!IsCommandEnabled(m_doc, kCmdPause))
        return;
    m_doc.PauseClock(m_clock.TickMs());
    follow();
}

void PauseCover::follow()
{
    setVisible(m_doc.IsClockPaused());
    if (isVisible()) {
        raise();
        setFocus(Qt::OtherFocusReason);
    }
}

void PauseCover::resume()
{
    m_doc.SetStartTick(m_clock.TickMs());
    hide();
    emit resumed();
}

bool PauseCover::event(QEvent* event)
{
    // Every key, shortcuts included, comes here as a key press and resumes.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void PauseCover::keyPressEvent(QKeyEvent* event)
{
    // A modifier alone, as on the way to another window, leaves the game
    // paused.
    if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control || event->key() == Qt::Key_Alt ||
        event->key() == Qt::Key_Meta) {
        QWidget::keyPressEvent(event);
        return;
    }
    resume();
}

void PauseCover::mouseReleaseEvent(QMouseEvent*) { resume(); }

bool PauseCover::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
