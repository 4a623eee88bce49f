#pragma once

#include "help_file.h"
#include "help_window.h"
#include "japanese_text.h"
#include "translations.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

// The help windows open in the application.
inline QList<HelpWindow*> openHelpWindows()
{
    QList<HelpWindow*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(w); help != nullptr && help->isVisible())
            open << help;
    return open;
}

// The start of the first link in the page to a place in the same page.
inline QTextCursor firstInternalLink(QTextDocument* page)
{
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorHref().startsWith(QLatin1Char('#'))) {
                QTextCursor cursor(page);
                cursor.setPosition(it.fragment().position() + 1);
                return cursor;
            }
    return {};
}

// Triggers the program's help command, with no web browser to hand it to,
// and checks what the user gets: the program's own help window, inside the
// screen's available area, showing the page in the interface's language,
// whose links inside the page work; the command again raises the same window.
inline void checkHelpCommand(QAction* help, const QString& program)
{
    help->trigger();
    QList<HelpWindow*> windows = openHelpWindows();
    QCOMPARE(windows.size(), 1);
    HelpWindow* window = windows.first();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
    QTextBrowser* browser = window->browser();

    const bool japanese = uiLanguage() == UiLanguage::Japanese;
    const QString page = program + (japanese ? QStringLiteral(".html") : QStringLiteral("_en.html"));
    QCOMPARE(QFileInfo(browser->source().toLocalFile()).fileName(), page);
    QCOMPARE(hasJapanese(browser->toPlainText()), japanese);
    QCOMPARE(hasJapanese(window->windowTitle()), japanese);
    QVERIFY(!window->windowTitle().isEmpty());

    // A click on a link to a section scrolls the page to it.
    browser->verticalScrollBar()->setValue(0);
    const QTextCursor link = firstInternalLink(browser->document());
    QVERIFY(!link.isNull());
    const QPoint at = browser->cursorRect(link).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
    QCOMPARE(QFileInfo(browser->source().toLocalFile()).fileName(), page);

    help->trigger();
    windows = openHelpWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first(), window);
    window->close();
    QTRY_VERIFY(openHelpWindows().isEmpty());
}

// The commands and submenus of menus, as a page names them: without the
// access-key mark and the dots of a command that opens a dialog.
inline QStringList menuTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* a : actions) {
        if (a->isSeparator())
            continue;
        QString text = a->text().remove(QLatin1Char('&'));
        text.remove(QRegularExpression(QStringLiteral("(\\.\\.\\.|…)$")));
        texts << text.simplified();
        if (a->menu() != nullptr)
            texts << menuTexts(a->menu()->actions());
    }
    return texts;
}

// The help page in the interface's language names every command and
// submenu of the menu bar as it shows them.
inline void checkHelpNamesMenus(const QMenuBar* bar)
{
    QFile file(helpFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page =
        QString::fromUtf8(file.readAll()).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).simplified();
    const QStringList texts = menuTexts(bar->actions());
    QVERIFY(texts.size() > 20);
    QStringList missing;
    for (const QString& text : texts)
        if (!page.contains(text))
            missing << text;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('|'))));
}
