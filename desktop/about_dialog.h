#pragma once

#include <QDialog>
#include <QString>

// Dialog 100 of each program: the application icon, the program's name and
// version and one line about it, and OK. Modal, no logic.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    AboutDialog(QWidget* parent, const QString& title, const QString& versionLine, const QString& aboutLine);
};
