#include "help_window.h"

#include "screen_area.h"

#include <QKeySequence>
#include <QShortcut>
#include <QShowEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl::fromLocalFile(path));
    // The page's own title names the program in the interface's language.
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("ヘルプ") : title);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(760, 600);

    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Over the program's window, and smaller on a small screen, so that the
    // whole window can be seen and moved. The desktop restoring the window
    // leaves it where the user put it.
    if (event->spontaneous())
        return;
    QRect client(QPoint(), size());
    if (parentWidget() != nullptr)
        client.moveCenter(parentWidget()->frameGeometry().center());
    placeClientInside(*this, client);
}
