#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

// Dialog 177: the choice between general data (large, every piece cut) and
// distribution data (small, the player cuts the pieces).
class DataFormatDialog : public QDialog {
    Q_OBJECT
public:
    explicit DataFormatDialog(QWidget* parent = nullptr);

    // 0 for general data, 1 for distribution data.
    int dataFormat() const;

    QRadioButton* largeButton() const { return m_large; }
    QRadioButton* smallButton() const { return m_small; }
    QPushButton* okButton() const { return m_ok; }

private:
    QRadioButton* m_large;
    QRadioButton* m_small;
    QPushButton* m_ok;
};
