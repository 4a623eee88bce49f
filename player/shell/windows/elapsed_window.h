#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

class CVorpelDoc;

// The notice that the automatic copy cannot be written.
QString autoSaveFailureNotice();
class GameClock;
class IniSettings;
class QLabel;
class QLineEdit;

// The elapsed-time window "ゲーム経過": the playing time as a clock face with
// a second and a minute hand and as hours, minutes and seconds, the pieces
// taken out of the tray over the piece count, and the share of the puzzle's
// joins done. Every second it redraws
// from the document; before a game is timed it shows the bare face.
class ElapsedWindow : public QDialog {
    Q_OBJECT
public:
    ElapsedWindow(CVorpelDoc& doc, IniSettings& settings, GameClock& clock, QWidget* parent);

    // The face as now drawn, hands included, and its top-left corner in the
    // window.
    QImage face() const;
    QPoint faceOrigin() const;
    QLineEdit* hourBox() const { return m_hour; }
    QLineEdit* minuteBox() const { return m_minute; }
    QLineEdit* secondBox() const { return m_second; }
    QLineEdit* piecesOutBox() const { return m_piecesOut; }
    QLineEdit* pieceCountBox() const { return m_pieceCount; }
    QLabel* progressLabel() const { return m_progress; }

    QLabel* autoSaveFailureLabel() const { return m_autoSaveFailure; }
    // A line saying the automatic copy cannot be written, `reason` in its
    // tooltip; hidden when `reason` is empty.
    void showAutoSaveFailure(const QString& reason);

public slots:
    // The one-second update: the dial wiped, both hands and the boxes redrawn.
    void updateClock();

signals:
    // The user closed the window: the document's flag is already cleared.
    void closedByUser();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLineEdit* addNumberBox(QRect geometry);
    void addLabel(const QString& text, QRect geometry);

    CVorpelDoc& m_doc;
    IniSettings& m_settings;
    GameClock& m_clock;
    const QImage m_bareFace;
    QLabel* m_face;
    QLineEdit* m_hour;
    QLineEdit* m_minute;
    QLineEdit* m_second;
    QLineEdit* m_piecesOut;
    QLineEdit* m_pieceCount;
    QLabel* m_progress;
    QLabel* m_autoSaveFailure;
    QTimer m_timer;
};
