#pragma once

#include <QDialog>

#include "best_time_store.h"
#include "finished_picture.h"

class QLabel;
class QLineEdit;

// Dialog 138: the untitled congratulations with the time the game took in
// three read-only boxes (hours, minutes, seconds), below them the puzzle's
// best time and how often it was finished, or a note of why the time was not
// recorded, and OK.
class CongratulationDialog : public QDialog {
    Q_OBJECT
public:
    CongratulationDialog(const ElapsedTime& time, const BestTimeStore::Recorded& recorded,
                         QWidget* parent = nullptr);

    // The boxes' texts: hours, minutes, seconds.
    QStringList shownTime() const;
    // The lines about the best time and the records file.
    QString shownRecord() const;

    // A time in words: "1時間2分5秒", "2分5秒", "5秒".
    static QString timeInWords(std::uint32_t seconds);

private:
    QLabel* m_record;
    QLineEdit* m_hours;
    QLineEdit* m_minutes;
    QLineEdit* m_seconds;
};
