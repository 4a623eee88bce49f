#pragma once

#include <QDialog>

// Dialog 100: the maker's name and version.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
