#include "help_file.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString helpFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".html");
}

}  // namespace

QString helpFilePath()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(helpFileName());
    if (QFileInfo::exists(beside))
        return beside;
    return QStandardPaths::locate(QStandardPaths::AppDataLocation, helpFileName());
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
