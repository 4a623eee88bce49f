#pragma once

#include <QDialog>
#include <QStringList>

#include <array>
#include <string>

namespace jigsaw {
class FormatError;
}

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Dialog 163 "メッセージの添付": up to three lines of message attached to the
// puzzle, and whether the player shows it when it opens the puzzle. Each line
// is cut to what the file can hold (100 bytes of CP932) and kept as UTF-8;
// before a line is cut, or lines after the third are dropped, the user is
// asked whether to go on or to fix the text.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialog(QWidget* parent = nullptr);

    // Valid after the dialog was accepted with its OK button.
    const std::array<std::string, 3>& lines() const { return m_lines; }
    bool showOnOpen() const { return m_showOnOpen; }
    // True when the dialog was closed by its title bar's ✕ (Escape is not).
    bool closedByWindow() const { return m_closedByWindow; }

    QPlainTextEdit* editor() const { return m_edit; }
    QRadioButton* yesButton() const { return m_yes; }
    QRadioButton* noButton() const { return m_no; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onOk();
    // The refusal of a line the file cannot hold.
    static QString refusal(const jigsaw::FormatError& error);
    // Asks whether the text may lose what `losses` says; false: fix it.
    bool acceptLosses(const QStringList& losses);

    QPlainTextEdit* m_edit;
    QRadioButton* m_yes;
    QRadioButton* m_no;
    QPushButton* m_ok;
    std::array<std::string, 3> m_lines;
    bool m_showOnOpen = true;
    bool m_closedByWindow = false;
};
