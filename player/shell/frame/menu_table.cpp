#include "menu_table.h"

#include "background_music.h"
#include "command_ids.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace {

// The commands whose context-menu text differs from the main menu's.
struct ContextText {
    int id;
    const char* menuText;
    const char* contextText;
};
constexpr ContextText kContextTexts[] = {
    {kCmdOpenPuzzle, QT_TRANSLATE_NOOP("CMainFrame", "パズルファイルを開く(&V)"),
     QT_TRANSLATE_NOOP("CMainFrame", "パズルファイルを開く(&P)")},
    {kCmdOpenPlayFile, QT_TRANSLATE_NOOP("CMainFrame", "プレイファイルを開く(&W)"),
     QT_TRANSLATE_NOOP("CMainFrame", "プレイファイルを開く(&O)")},
    {kCmdArrangeTray, QT_TRANSLATE_NOOP("CMainFrame", "整 列(&L)"), QT_TRANSLATE_NOOP("CMainFrame", "整  列(&L)")},
    {kCmdPause, QT_TRANSLATE_NOOP("CMainFrame", "一時停止(&P)"), QT_TRANSLATE_NOOP("CMainFrame", "一時停止(&A)")},
};

}  // namespace

MenuTable::MenuTable(QMainWindow* window, const std::function<void(QMenu* options)>& addTableOptions)
    : m_window(window)
{
    buildMenuBar(addTableOptions);
    buildContextMenu();
}

QAction* MenuTable::addCommand(int id, const QString& text)
{
    auto* action = new QAction(text, m_window);
    action->setData(id);
    m_actions.insert(id, action);
    return action;
}

void MenuTable::buildMenuBar(const std::function<void(QMenu* options)>& addTableOptions)
{
    QMenuBar* bar = m_window->menuBar();
    QMenu* file = bar->addMenu(tr("ﾌｧｲﾙ(&F)"));
    file->addAction(addCommand(kCmdOpenPuzzle, tr("パズルファイルを開く(&V)")));
    file->addSeparator();
    file->addAction(addCommand(kCmdOpenPlayFile, tr("プレイファイルを開く(&W)")));
    file->addAction(addCommand(kCmdSavePlayFile, tr("プレイファイルを保存する(&S)")));
    file->addAction(addCommand(kCmdUnfinishedGames, tr("未完成のゲーム(&G)…")));
    file->addAction(addCommand(kCmdRecords, tr("記録(&R)…")));
    file->addSeparator();
    file->addAction(addCommand(kCmdPause, tr("一時停止(&P)")));
    file->addSeparator();
    file->addAction(addCommand(kCmdExit, tr("終了(&X)")));
    action(kCmdOpenPuzzle)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    action(kCmdSavePlayFile)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    action(kCmdPause)->setShortcuts({QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)});

    QMenu* edit = bar->addMenu(tr("編集(&E)"));
    edit->addAction(addCommand(kCmdArrangeTray, tr("整 列(&L)")));
    edit->addAction(addCommand(kCmdArrangeEdgesFirst, tr("辺を先に整列(&E)")));
    edit->addAction(addCommand(kCmdReverseStacking, tr("ピースの上下入れ替え(U)")));

    QMenu* view = bar->addMenu(tr("表 示(&T)"));
    view->addAction(addCommand(kCmdTogglePreview, tr("プレビュー (&P)")));
    view->addAction(addCommand(kCmdToggleElapsed, tr("経　　　過(&K)")));
    action(kCmdTogglePreview)->setCheckable(true);
    action(kCmdToggleElapsed)->setCheckable(true);
    view->addSeparator();
    view->addAction(addCommand(kCmdZoomIn, tr("拡大(&I)")));
    view->addAction(addCommand(kCmdZoomOut, tr("縮小(&U)")));
    view->addAction(addCommand(kCmdZoomActualSize, tr("実寸表示(&A)")));
    view->addAction(addCommand(kCmdZoomToFit, tr("全体を表示(&W)")));
    // Ctrl+= as well, for keyboards where + needs the shift key.
    action(kCmdZoomIn)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    action(kCmdZoomOut)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    action(kCmdZoomActualSize)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    action(kCmdZoomToFit)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    view->addAction(addCommand(kCmdGatherPieces, tr("ピースを集める(&G)")));
    view->addAction(addCommand(kCmdSpreadPieces, tr("ピースを並べる(&S)")));

    QMenu* options = bar->addMenu(tr("オプション(&O)"));
    QMenu* bgm = options->addMenu(tr("BGM           (&G)"));
    bgm->addAction(addCommand(kCmdBgmOpen, tr("開く")));
    bgm->addAction(addCommand(kCmdBgmPlay, tr("演奏")));
    bgm->addAction(addCommand(kCmdBgmStop, tr("停止")));
    bgm->addSeparator();
    for (int track = 1; track <= 5; ++track) {
        QAction* a = addCommand(BackgroundMusic::commandOfTrack(track), BackgroundMusic::trackTitle(track));
        a->setCheckable(true);
        bgm->addAction(a);
    }
    options->addSeparator();
    options->addAction(addCommand(kCmdShowMessage, tr("添付メッセージ（&I）")));
    QMenu* black = options->addMenu(tr("黒ピース(&B)"));
    auto* blackModes = new QActionGroup(m_window);
    // Mode 1 ("完成ピースを黒") draws as mode 0 does; it is kept in play
    // files but not offered, as choosing it would change nothing on screen.
    for (const auto& [id, text] : {std::pair{kCmdBlackNone, tr("通常表示")},
                                      std::pair{kCmdBlackUncompleted, tr("未完成ピースを黒")}}) {
        QAction* a = addCommand(id, text);
        a->setCheckable(true);
        blackModes->addAction(a);
        black->addAction(a);
    }
    addTableOptions(options);

    QMenu* help = bar->addMenu(tr("ヘルプ(&H)"));
    help->addAction(addCommand(kCmdHelp, tr("ヘルプ(&H)")));
    help->addSeparator();
    help->addAction(addCommand(kCmdAbout, tr("ﾊﾞｰｼﾞｮﾝ情報(&A)...")));

    m_menus = {file, edit, view, options, bgm, black, help};
}

void MenuTable::buildContextMenu()
{
    m_contextMenu = new QMenu(m_window);
    QMenu* file = m_contextMenu->addMenu(tr("ファイル(&F)"));
    file->addAction(action(kCmdOpenPuzzle));
    file->addSeparator();
    file->addAction(action(kCmdOpenPlayFile));
    file->addAction(action(kCmdSavePlayFile));
    file->addSeparator();
    file->addAction(action(kCmdPause));
    file->addSeparator();
    file->addAction(action(kCmdExit));
    m_contextMenu->addSeparator();
    QMenu* edit = m_contextMenu->addMenu(tr("編集(&E)"));
    for (const int id : {kCmdArrangeTray, kCmdArrangeEdgesFirst, kCmdReverseStacking})
        edit->addAction(action(id));
    QMenu* view = m_contextMenu->addMenu(tr("表 示(&T)"));
    view->addAction(action(kCmdTogglePreview));
    view->addAction(action(kCmdToggleElapsed));
    view->addSeparator();
    for (const int id : {kCmdZoomIn, kCmdZoomOut, kCmdZoomActualSize, kCmdZoomToFit})
        view->addAction(action(id));
    view->addSeparator();
    view->addAction(action(kCmdGatherPieces));
    view->addAction(action(kCmdSpreadPieces));
    m_contextMenu->addSeparator();
    QMenu* options = m_contextMenu->addMenu(tr("オプション(&O)"));
    QMenu* bgm = options->addMenu(tr("BGM      (&G)"));
    bgm->addAction(action(kCmdBgmOpen));
    bgm->addAction(action(kCmdBgmPlay));
    bgm->addAction(action(kCmdBgmStop));
    bgm->addSeparator();
    for (int track = 1; track <= 5; ++track)
        bgm->addAction(action(BackgroundMusic::commandOfTrack(track)));
    options->addSeparator();
    options->addAction(action(kCmdShowMessage));
    m_contextMenu->addSeparator();
    QMenu* help = m_contextMenu->addMenu(tr("ヘルプ(&H)"));
    help->addAction(action(kCmdAbout));

    m_menus.append(m_contextMenu);
    // The shared actions wear the context menu's texts while it is open.
    QObject::connect(m_contextMenu, &QMenu::aboutToShow, m_contextMenu, [this] { showContextTexts(true); });
    QObject::connect(m_contextMenu, &QMenu::aboutToHide, m_contextMenu, [this] { showContextTexts(false); });
}

void MenuTable::showContextTexts(bool context)
{
    for (const ContextText& t : kContextTexts)
        action(t.id)->setText(tr(context ? t.contextText : t.menuText));
}
