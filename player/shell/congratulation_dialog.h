#pragma once

#include <QDialog>

#include "finished_picture.h"

class QLineEdit;

// Dialog 138: the untitled congratulations with the time the game took in
// three read-only boxes (hours, minutes, seconds) and OK.
class CongratulationDialog : public QDialog {
    Q_OBJECT
public:
    explicit CongratulationDialog(const ElapsedTime& time, QWidget* parent = nullptr);

    // The boxes' texts: hours, minutes, seconds.
    QStringList shownTime() const;

private:
    QLineEdit* m_hours;
    QLineEdit* m_minutes;
    QLineEdit* m_seconds;
};
