#include "unfinished_games.h"

#include "auto_save.h"
#include "clock_text.h"
#include "error_text.h"
#include "format_error.h"
#include "game_host.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString nameOf(const UnfinishedGame& game)
{
    return game.summary.name.isEmpty() ? QCoreApplication::translate("UnfinishedGames", "（名前なし）")
                                       : game.summary.name;
}

}  // namespace

UnfinishedGamesDialog::UnfinishedGamesDialog(GameStore& store, QWidget* parent)
    : QDialog(parent), m_store(store), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("未完成のゲーム"));
    m_list->setRootIsDecorated(false);
    m_list->setIconSize(QSize(120, 90));
    m_list->setHeaderLabels({tr("パズル"), tr("完成度"), tr("プレイ時間"), tr("最後のプレイ"), tr("サイズ")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(this);
    m_resume = buttons->addButton(tr("再開(&R)"), QDialogButtonBox::AcceptRole);
    m_delete = buttons->addButton(tr("削除(&D)…"), QDialogButtonBox::ActionRole);
    m_delete->setObjectName(QStringLiteral("delete"));
    QPushButton* afresh = buttons->addButton(tr("新しく始める(&N)…"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("閉じる(&C)"), QDialogButtonBox::RejectRole);
    connect(m_resume, &QPushButton::clicked, this, [this] { end(Choice::Resume); });
    connect(m_delete, &QPushButton::clicked, this, &UnfinishedGamesDialog::deleteChosen);
    connect(afresh, &QPushButton::clicked, this, [this] { end(Choice::Afresh); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { end(Choice::Resume); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    fill();
    const QRect area = (parent ? parent->screen() : screen())->availableGeometry();
    resize(QSize(720, 480).boundedTo(area.size() * 9 / 10));
}

void UnfinishedGamesDialog::fill()
{
    QStringList unreadable;
    m_games = m_store.list(&unreadable);
    for (const QString& name : unreadable)
        qWarning().noquote() << tr("vorpel: 自動保存されたゲーム「%1」を読めないため、無視します").arg(name);
    m_list->clear();
    const QLocale locale;
    for (const UnfinishedGame& game : m_games) {
        auto* item = new QTreeWidgetItem(m_list, {nameOf(game), QStringLiteral("%1%").arg(game.summary.percent),
                                                  clockText(game.summary.seconds),
                                                  locale.toString(game.lastPlayed, QLocale::ShortFormat),
                                                  locale.formattedDataSize(game.bytesOnDisk)});
        item->setIcon(0, QIcon(QPixmap::fromImage(game.summary.thumbnail)));
    }
    if (!m_games.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_resume->setEnabled(!m_games.empty());
    m_delete->setEnabled(!m_games.empty());
}

const UnfinishedGame* UnfinishedGamesDialog::chosen() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < gameCount() ? &m_games[static_cast<std::size_t>(row)] : nullptr;
}

void UnfinishedGamesDialog::end(Choice choice)
{
    if (choice == Choice::Resume && !chosen())
        return;
    m_choice = choice;
    accept();
}

void UnfinishedGamesDialog::deleteChosen()
{
    const UnfinishedGame* game = chosen();
    if (!game)
        return;
    QMessageBox box(QMessageBox::Question, tr("ゲームの削除"),
                    tr("「%1」を一覧から削除しますか？\nこのゲームの続きはできなくなります。").arg(nameOf(*game)),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(tr("削除する"), QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(tr("削除しない"), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    if (box.clickedButton() != yes)
        return;
    if (auto lock = m_store.lock(game->id))
        m_store.remove(game->id, *lock);
    fill();
}

void runUnfinishedGames(GameHost& host, GameStore& store, AutoSave& autoSave, bool atStartup)
{
    if (atStartup && store.list().empty())
        return;
    if (!atStartup) {
        autoSave.saveNow();
        if (!host.offerSave())
            return;
    }
    UnfinishedGamesDialog dialog(store, host.hostWindow());
    dialog.exec();
    if (dialog.choice() == UnfinishedGamesDialog::Choice::Afresh) {
        host.choosePuzzle();
        return;
    }
    const UnfinishedGame* game = dialog.chosen();
    if (dialog.choice() != UnfinishedGamesDialog::Choice::Resume || !game)
        return;
    auto lock = store.lock(game->id);
    if (!lock) {
        QMessageBox::warning(host.hostWindow(), dialog.windowTitle(),
                             QCoreApplication::translate("UnfinishedGames",
                                                         "「%1」は別のウィンドウで開かれています。\nそのウィンドウで続きを遊んでください。")
                                 .arg(nameOf(*game)));
        return;
    }
    autoSave.adoptNext(game->id, std::move(lock));
    if (!host.resumeCopy(store, game->id, nameOf(*game)))
        autoSave.dropAdoption();
}
