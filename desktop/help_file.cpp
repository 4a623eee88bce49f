#include "help_file.h"

#include "data_files.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace {

QString programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString helpFileName()
{
    return programName() + QStringLiteral(".html");
}

}  // namespace

QString helpFilePath()
{
    return findDataFile(programName(), helpFileName());
}

void showHelpFile(QWidget* parent)
{
    const QString path = helpFilePath();
    if (path.isEmpty()) {
        QMessageBox::warning(parent, QStringLiteral("ヘルプ"),
                             QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(helpFileName()));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::warning(parent, QStringLiteral("ヘルプ"),
                             QStringLiteral("ヘルプファイル「%1」を開けませんでした。").arg(path));
}
