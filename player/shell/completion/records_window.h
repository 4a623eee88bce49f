#pragma once

#include <QDialog>

#include "best_time_store.h"

class QLabel;
class QTreeWidget;

// "記録": the finished puzzles of the records file, the one finished last
// first, each with its name, pieces, best time (h:mm:ss), how often it was
// finished and the date of the best time. Sized to show its columns whole and
// placed over its parent inside the screen. A damaged file is set aside as
// for a completion, and told above the list.
class RecordsDialog : public QDialog {
    Q_OBJECT
public:
    RecordsDialog(const BestTimeStore& store, QWidget* parent);

    QTreeWidget* list() const { return m_list; }
    // The note above the list: no records yet, a file set aside or unread.
    QString shownNote() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTreeWidget* m_list;
    QLabel* m_note;
};
