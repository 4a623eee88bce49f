#include "open_in_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

namespace kestra {

namespace {

const QString kPlayer = QStringLiteral("vorpel");

// The player's places beside the maker: installed in the same folder, or
// built in the same build tree.
QStringList besideMaker()
{
    const QDir own(QCoreApplication::applicationDirPath());
    return {own.filePath(kPlayer), QDir::cleanPath(own.filePath(QStringLiteral("../../player/shell/") + kPlayer))};
}

QString findPlayer()
{
    for (const QString& path : besideMaker()) {
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable())
            return path;
    }
    return QStandardPaths::findExecutable(kPlayer);
}

void startPlayer(QWidget* parent, const QString& path)
{
    const QString title = QCoreApplication::translate("kestra", "プレーヤーで開く");
    const QString player = findPlayer();
    if (player.isEmpty()) {
        QStringList places;
        for (const QString& place : besideMaker())
            places << QDir::toNativeSeparators(place);
        QMessageBox::warning(parent, title,
                             QCoreApplication::translate("kestra",
                                                         "プレーヤー「%1」が見つかりません。\n"
                                                         "探した場所:\n%2\nPATH のフォルダ")
                                 .arg(kPlayer, places.join(QLatin1Char('\n'))));
        return;
    }
    if (!QProcess::startDetached(player, {path}))
        QMessageBox::warning(parent, title,
                             QCoreApplication::translate("kestra", "プレーヤー「%1」を起動できませんでした。")
                                 .arg(QDir::toNativeSeparators(player)));
}

}  // namespace

void offerToOpenInPlayer(QWidget* parent, const QString& path)
{
    QMessageBox box(parent);
    box.setWindowTitle(QCoreApplication::translate("kestra", "データ作成"));
    box.setIcon(QMessageBox::Information);
    box.setText(QCoreApplication::translate("kestra", "パズルファイル「%1」を作りました。").arg(QFileInfo(path).fileName()));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* open = box.addButton(QCoreApplication::translate("kestra", "プレーヤーで開く"), QMessageBox::ActionRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    if (box.clickedButton() == open)
        startPlayer(parent, path);
}

}  // namespace kestra
