#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

// Dialog 148 "添付メッセージ": the message attached to the puzzle, read-only,
// and OK.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    // `cp932` is the message as the document keeps it: CP932 bytes, lines
    // joined by CR LF.
    explicit MessageDialog(const std::string& cp932, QWidget* parent = nullptr);

    QString text() const;

private:
    QPlainTextEdit* m_edit;
};
