#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help page in a window of its own, so that help works without
// a web browser. Links inside the page (and to other local pages) are
// followed in the window; links to the web go to the desktop's browser.
// Alt+Left goes back, Esc closes the window.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QString& path, QWidget* parent);

    QTextBrowser* browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTextBrowser* m_browser;
};
