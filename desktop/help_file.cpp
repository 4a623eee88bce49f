#include "help_file.h"

#include "data_files.h"
#include "help_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

namespace {

QString programName()
{
    return QCoreApplication::applicationName();
}

// The one help window of the program, while it is open.
QPointer<HelpWindow>& openHelpWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

QString helpFileName(const QString& program, UiLanguage language)
{
    return program + (language == UiLanguage::Japanese ? QStringLiteral(".html") : QStringLiteral("_en.html"));
}

QString helpFilePath()
{
    return findDataFile(programName(), helpFileName(programName(), uiLanguage()));
}

void showHelpFile(QWidget* parent)
{
    QPointer<HelpWindow>& window = openHelpWindow();
    if (window.isNull()) {
        const QString path = helpFilePath();
        if (path.isEmpty() || !QFileInfo(path).isReadable()) {
            const QString text = path.isEmpty()
                                     ? QCoreApplication::translate("HelpWindow", "ヘルプファイル「%1」が見つかりません。")
                                           .arg(helpFileName(programName(), uiLanguage()))
                                     : QCoreApplication::translate("HelpWindow", "ヘルプファイル「%1」を開けませんでした。")
                                           .arg(path);
            QMessageBox::warning(parent, QCoreApplication::translate("HelpWindow", "ヘルプ"), text);
            return;
        }
        // A child of the program's window, so that it closes with the program.
        window = new HelpWindow(path, parent != nullptr ? parent->window() : nullptr);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
