#include "elapsed_window.h"

#include "clock_face.h"
#include "elapsed_clock.h"
#include "game_clock.h"
#include "ini_settings.h"
#include "screen_area.h"
#include "title_room.h"
#include "vorpel_doc.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>

#include <algorithm>

namespace {

constexpr int kTickMs = 1000;
const QColor kHandColour(0, 255, 0);
constexpr int kHandWidth = 2;

QRect toQRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

QPoint toQPoint(const POINT& p)
{
    return QPoint(p.x, p.y);
}

}  // namespace

QString autoSaveFailureNotice()
{
    return QCoreApplication::translate("ElapsedWindow", "自動保存できません");
}

ElapsedWindow::ElapsedWindow(CVorpelDoc& doc, IniSettings& settings, GameClock& clock, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_doc(doc),
      m_settings(settings),
      m_clock(clock),
      m_bareFace(ClockFace())
{
    setWindowTitle(tr("ゲーム経過"));
    // Never so narrow that the frame cuts the title.
    setMinimumWidth(titleRoom(*this));

    // Two plain frames, the face with the piece fraction above the time
    // boxes; made first so that the controls lie over them.
    (new QGroupBox(this))->setGeometry(4, 0, 194, 116);
    (new QGroupBox(this))->setGeometry(4, 118, 194, 78);

    m_face = new QLabel(this);
    m_face->setGeometry(12, 10, m_bareFace.width(), m_bareFace.height());
    m_face->setPixmap(QPixmap::fromImage(m_bareFace));

    m_piecesOut = addNumberBox(QRect(110, 30, 78, 22));
    addLabel(QStringLiteral("-----------------"), QRect(104, 52, 90, 14));
    m_pieceCount = addNumberBox(QRect(110, 66, 78, 22));
    m_progress = new QLabel(this);
    m_progress->setAlignment(Qt::AlignCenter);
    m_progress->setGeometry(100, 92, 94, 18);
    m_autoSaveFailure = new QLabel(autoSaveFailureNotice(), this);
    m_autoSaveFailure->setAlignment(Qt::AlignCenter);
    m_autoSaveFailure->setStyleSheet(QStringLiteral("color: #c00000"));
    m_autoSaveFailure->setGeometry(4, 178, 194, 18);
    m_autoSaveFailure->hide();

    addLabel(tr("Hour"), QRect(14, 130, 54, 16));
    addLabel(tr("Min"), QRect(74, 130, 54, 16));
    addLabel(tr("Sec"), QRect(134, 130, 54, 16));
    m_hour = addNumberBox(QRect(14, 150, 54, 24));
    m_minute = addNumberBox(QRect(74, 150, 54, 24));
    m_second = addNumberBox(QRect(134, 150, 54, 24));

    connect(&m_timer, &QTimer::timeout, this, &ElapsedWindow::updateClock);
    m_timer.start(kTickMs);
    updateClock();
}

void ElapsedWindow::showAutoSaveFailure(const QString& reason)
{
    m_autoSaveFailure->setToolTip(reason);
    m_autoSaveFailure->setVisible(!reason.isEmpty());
}

QLineEdit* ElapsedWindow::addNumberBox(QRect geometry)
{
    auto* box = new QLineEdit(this);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFocusPolicy(Qt::NoFocus);
    box->setGeometry(geometry);
    return box;
}

void ElapsedWindow::addLabel(const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
}

QImage ElapsedWindow::face() const
{
    return m_face->pixmap().toImage();
}

QPoint ElapsedWindow::faceOrigin() const
{
    return m_face->pos();
}

void ElapsedWindow::updateClock()
{
    const ElapsedClock clock = ElapsedClockAt(m_doc, m_clock.TickMs());
    if (!clock.timed)
        return;
    QImage face = m_bareFace;
    {
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(toQRect(kClockDial), Qt::black);
        p.setPen(QPen(kHandColour, kHandWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(toQPoint(kClockCentre), toQPoint(clock.secondHandEnd));
        p.drawLine(toQPoint(kClockCentre), toQPoint(clock.minuteHandEnd));
    }
    m_face->setPixmap(QPixmap::fromImage(face));
    m_hour->setText(QString::number(clock.time.hours));
    m_minute->setText(QString::number(clock.time.minutes));
    m_second->setText(QString::number(clock.time.seconds));
    m_piecesOut->setText(QString::number(clock.piecesOut));
    m_pieceCount->setText(QString::number(clock.pieceCount));
    m_progress->setText(tr("完成度 %1%").arg(clock.joinPercent));
}

void ElapsedWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QRect fallback = toQRect(m_doc.GetElapsedWndRect());
    QRect r = m_settings.readRect(QStringLiteral("rt"), fallback);
    if (r.width() <= 0 || r.height() <= 0)
        r.setSize(fallback.size());
    r.setWidth(std::max(r.width(), minimumWidth()));
    // The stored rectangle is the client area, as written at close: it
    // comes back the same whatever the decoration.
    placeClientInside(*this, r);
}

void ElapsedWindow::closeEvent(QCloseEvent* event)
{
    // When the program quits, Qt closes every window after the main one; a
    // close while the main window is still open is the user's.
    event->accept();
    if (parentWidget() != nullptr && !parentWidget()->isVisible())
        return;
    m_doc.SetElapsedShown(0);
    m_settings.writeRect(QStringLiteral("rt"), geometry());
    emit closedByUser();
}

void ElapsedWindow::reject()
{
    close();
}
