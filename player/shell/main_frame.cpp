#include "main_frame.h"

#include "about_dialog.h"
#include "background_music.h"
#include "help_file.h"
#include "board_view.h"
#include "board_zoom.h"
#include "command_ids.h"
#include "completion.h"
#include "drag_overlay.h"
#include "elapsed_window.h"
#include "error_message.h"
#include "file_chooser.h"
#include "file_commands.h"
#include "file_error_box.h"
#include "finished_picture.h"
#include "format_error.h"
#include "game_store.h"
#include "pause_cover.h"
#include "play_rules.h"
#include "records_window.h"
#include "screen_area.h"
#include "shell_events.h"
#include "table_options.h"
#include "tool_windows.h"
#include "tray_view.h"
#include "vorpel_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>
#include <QShortcut>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The first part of string 128, the document's title.
QString frameTitle()
{
    return QCoreApplication::translate("CMainFrame", "パソコンで楽しむジグソーパズル");
}
// The board's width when the settings have none.
constexpr int kDefaultBoardWidth = 470;
constexpr QSize kMinimumSize(640, 480);

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

QRect toQRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

CMainFrame::CMainFrame(VorpelSettings& settings, GameClock& clock, RandomSource& random, SoundEffects& sounds,
                       FileChooser& chooser, MusicDevice& music, QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_clock(clock),
      m_chooser(chooser),
      m_doc(std::make_unique<CVorpelDoc>()),
      m_toolWindows(std::make_unique<ToolWindows>(*m_doc, settings, clock, this, [this] { refreshCommands(); })),
      m_events(std::make_unique<ShellEvents>(this, *m_toolWindows, [this] { redrawPanes(); })),
      m_files(std::make_unique<FileCommands>(this, *m_doc, settings, chooser, clock, random, *m_events,
                                             [this](bool started) {
                                                 if (started)
                                                     emit gameEnding();
                                                 else
                                                     emit readingEnded();
                                             },
                                             [this](const QString& path) { gameReplaced(path); },
                                             [this](const QString& path) { showFileName(path); })),
      m_music(std::make_unique<BackgroundMusic>(*m_doc, music,
                                                [this](const QString& text) { showMusicError(text); })),
      m_splitter(new QSplitter(Qt::Horizontal)),
      m_board(new CVorpelView(*m_doc, m_images, sounds)),
      m_tray(new CPsView(*m_doc, m_images, sounds))
{
    m_doc->SetProgramPaths(settings.path().toStdString(), QCoreApplication::applicationDirPath().toStdString());
    setWindowTitle(frameTitle());
    setMinimumSize(kMinimumSize);

    // The board keeps its width when the window is resized; the tray takes
    // the rest, as with a static splitter.
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_board);
    m_splitter->addWidget(m_tray);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_storedBoardWidth = m_settings.readInt(QStringLiteral("FlDx"), kDefaultBoardWidth);
    m_splitter->installEventFilter(this);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_storedBoardWidth.reset(); });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    setCentralWidget(central);
    m_overlay = new DragOverlay(m_images, central);
    m_tray->setHandOver(std::make_unique<PieceHandOver>(*m_board));
    m_tray->setOverlay(m_overlay);
    m_pauseCover = new PauseCover(*m_doc, clock, central);
    connect(m_pauseCover, &PauseCover::resumed, this, &CMainFrame::refreshCommands);

    buildMenus();
    buildContextMenu();
    connectCommands();

    connect(m_board, &CVorpelView::contextMenuRequested, this, &CMainFrame::showContextMenu);
    connect(m_tray, &CPsView::contextMenuRequested, this, &CMainFrame::showContextMenu);
    connect(m_board, &CVorpelView::piecesJoined, this, &CMainFrame::showProgress);
    connect(m_board, &CVorpelView::puzzleCompleted, this, &CMainFrame::puzzleCompleted);
    m_board->zoomAbout(m_settings.readInt(QStringLiteral("Zoom"), kActualSize), QPoint(0, 0));
    connect(m_board, &CVorpelView::zoomChanged, this, &CMainFrame::refreshCommands);
    connect(m_board, &CVorpelView::zoomChanged, this, &CMainFrame::showTitle);
    for (const QKeySequence& key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &CMainFrame::focusOtherPane);
    refreshCommands();
}

CMainFrame::~CMainFrame()
{
    m_music->close();
    // The panes paint from the document and the images: they go first.
    delete takeCentralWidget();
}

QAction* CMainFrame::addCommand(int id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::buildMenus()
{
    QMenuBar* bar = menuBar();
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
    auto* blackModes = new QActionGroup(this);
    // Mode 1 ("完成ピースを黒") draws as mode 0 does; it is kept in play
    // files but not offered, as choosing it would change nothing on screen.
    for (const auto& [id, text] : {std::pair{kCmdBlackNone, tr("通常表示")},
                                      std::pair{kCmdBlackUncompleted, tr("未完成ピースを黒")}}) {
        QAction* a = addCommand(id, text);
        a->setCheckable(true);
        blackModes->addAction(a);
        black->addAction(a);
    }
    new TableOptions(m_settings, *m_board, options);

    QMenu* help = bar->addMenu(tr("ヘルプ(&H)"));
    help->addAction(addCommand(kCmdHelp, tr("ヘルプ(&H)")));
    help->addSeparator();
    help->addAction(addCommand(kCmdAbout, tr("ﾊﾞｰｼﾞｮﾝ情報(&A)...")));

    for (QMenu* menu : {file, edit, view, options, bgm, black, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommands);
}

void CMainFrame::buildContextMenu()
{
    m_contextMenu = new QMenu(this);
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

    // The shared actions wear the context menu's texts while it is open.
    connect(m_contextMenu, &QMenu::aboutToShow, this, [this] {
        refreshCommands();
        swapContextTexts(true);
    });
    connect(m_contextMenu, &QMenu::aboutToHide, this, [this] { swapContextTexts(false); });
}

void CMainFrame::swapContextTexts(bool context)
{
    for (const ContextText& t : kContextTexts)
        action(t.id)->setText(tr(context ? t.contextText : t.menuText));
}

void CMainFrame::connectCommands()
{
    const auto on = [this](int id, auto handler) {
        connect(action(id), &QAction::triggered, this, [this, handler] {
            handler();
            refreshCommands();
        });
    };
    on(kCmdOpenPuzzle, [this] {
        endCarry();
        m_files->openPuzzle();
    });
    on(kCmdOpenPlayFile, [this] {
        endCarry();
        m_files->openPlayFile();
    });
    on(kCmdSavePlayFile, [this] {
        endCarry();
        m_files->savePlayFile();
    });
    on(kCmdUnfinishedGames, [this] {
        endCarry();
        emit unfinishedGamesAsked();
    });
    on(kCmdRecords, [this] { RecordsDialog(BestTimeStore(BestTimeStore::defaultPath()), this).exec(); });
    on(kCmdPause, [this] {
        endCarry();
        m_pauseCover->pause();
    });
    on(kCmdExit, [this] { close(); });
    // Arranging reuses the slot that a carried piece would fly back to.
    for (const auto& [id, command] :
         {std::pair{kCmdArrangeTray, &OnArrangeTray}, std::pair{kCmdArrangeEdgesFirst, &OnArrangeEdgesFirst}})
        on(id, [this, command] {
            endCarry();
            runDocumentCommand(command);
        });
    on(kCmdReverseStacking, [this] { runDocumentCommand(OnReverseStacking); });
    on(kCmdGatherPieces, [this] { arrangeBoard(OnGatherPieces); });
    on(kCmdSpreadPieces, [this] { arrangeBoard(OnSpreadPieces); });
    on(kCmdTogglePreview, [this] { runDocumentCommand(OnTogglePreview); });
    on(kCmdToggleElapsed, [this] { runDocumentCommand(OnToggleElapsed); });
    on(kCmdShowMessage, [this] { OnShowMessage(*m_doc, *m_events); });
    on(kCmdBlackNone, [this] { runDocumentCommand(OnBlackNone); });
    on(kCmdBlackUncompleted, [this] { runDocumentCommand(OnBlackUncompleted); });
    on(kCmdHelp, [this] { showHelpFile(this); });
    on(kCmdAbout, [this] { showAbout(); });
    on(kCmdBgmOpen, [this] { m_music->chooseAndPlay(m_chooser, this); });
    on(kCmdBgmPlay, [this] { m_music->replay(); });
    on(kCmdBgmStop, [this] { m_music->stop(); });
    on(kCmdZoomIn, [this] { m_board->zoomIn(); });
    on(kCmdZoomOut, [this] { m_board->zoomOut(); });
    on(kCmdZoomActualSize, [this] { m_board->zoomActualSize(); });
    on(kCmdZoomToFit, [this] { m_board->zoomToFit(); });
    for (int track = 1; track <= 5; ++track)
        on(BackgroundMusic::commandOfTrack(track), [this, track] { m_music->playTrack(track); });
}

void CMainFrame::runDocumentCommand(void (*command)(CVorpelDoc&, DocumentEvents&))
{
    command(*m_doc, *m_events);
}

void CMainFrame::refreshCommands()
{
    // The elapsed-time window may just have opened.
    if (ElapsedWindow* elapsed = m_toolWindows->elapsed())
        elapsed->showAutoSaveFailure(m_autoSaveFailure);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key();
        QAction* a = it.value();
        switch (id) {
        case kCmdBgmOpen:
        case kCmdBgmPlay:
        case kCmdBgmStop:
        case kCmdBgmTrack1:
        case kCmdBgmTrack2:
        case kCmdBgmTrack3:
        case kCmdBgmTrack4:
        case kCmdBgmTrack5:
            a->setEnabled(m_music->isCommandEnabled(id));
            if (a->isCheckable())
                a->setChecked(m_music->isCommandChecked(id));
            break;
        case kCmdZoomIn:
            a->setEnabled(m_board->zoomPercent() < kZoomLevels.back());
            break;
        case kCmdZoomOut:
            a->setEnabled(m_board->zoomPercent() > kZoomLevels.front());
            break;
        case kCmdExit:
        case kCmdRecords:
        case kCmdAbout:
        case kCmdZoomActualSize:
        case kCmdZoomToFit:
            break;
        default:
            a->setEnabled(IsCommandEnabled(*m_doc, id));
            if (a->isCheckable())
                a->setChecked(IsCommandChecked(*m_doc, id));
            break;
        }
    }
}

void CMainFrame::redrawPanes()
{
    m_board->documentChanged();
    m_tray->documentChanged();
}

void CMainFrame::endCarry()
{
    m_tray->cancelDrag();
    m_board->putDownHeldGroup();
    m_board->clearSelection();
}

void CMainFrame::gameReplaced(const QString& path)
{
    m_images.rebuild(*m_doc);
    m_board->clearSelection();
    redrawPanes();
    m_board->showNearestPieces();
    m_pauseCover->follow();
    m_gameName = QFileInfo(path).fileName();
    showProgress();
    refreshCommands();
    emit gameStarted(QFileInfo(path).fileName());
}

void CMainFrame::showFileName(const QString& path)
{
    m_gameName = QFileInfo(path).fileName();
    showTitle();
}

void CMainFrame::showTitle()
{
    if (m_gameName.isEmpty()) {
        setWindowTitle(frameTitle());
        return;
    }
    const QString zoom = tr("表示 %1%").arg(m_board->zoomPercent());
    QString progress = QStringLiteral("%1% %2").arg(CountJoins(*m_doc).percent()).arg(zoom);
    if (!m_autoSaveFailure.isEmpty())
        progress += QLatin1Char(' ') + autoSaveFailureNotice();
    setWindowTitle(QStringLiteral("%1 - %2 - %3").arg(m_gameName, frameTitle(), progress));
}

void CMainFrame::showProgress()
{
    showTitle();
    if (ElapsedWindow* elapsed = m_toolWindows->elapsed())
        elapsed->updateClock();
}

void CMainFrame::arrangeBoard(void (*command)(CVorpelDoc&, DocumentEvents&, const RECT&))
{
    // A carried group would be left behind; a piece from the tray would
    // fly back over pieces that moved.
    endCarry();
    const QRect view = m_board->visibleBoardRect();
    command(*m_doc, *m_events, RECT{view.left(), view.top(), view.left() + view.width(), view.top() + view.height()});
}

void CMainFrame::openFromCommandLine(const QString& path)
{
    m_files->openByContent(path);
    refreshCommands();
}

bool CMainFrame::resumeCopy(const GameStore& store, const QString& id, const QString& name)
{
    std::optional<GameStore::PlaySource> source;
    try {
        source.emplace(store, id);
    } catch (const jigsaw::FormatError& e) {
        showErrorMessage(this, tr("未完成のゲーム"), errorMessage(e, FileTask::OpenGame, name));
        return false;
    }
    if (!m_files->loadCopy(*source, name))
        return false;
    m_doc->SetModified(1);
    refreshCommands();
    return true;
}

void CMainFrame::showAutoSaveFailure(const QString& reason)
{
    m_autoSaveFailure = reason;
    showTitle();
    refreshCommands();
}

void CMainFrame::endWithoutQuestions()
{
    m_ending = true;
    storePlaces();
    endCarry();
    emit closing();
    QCoreApplication::exit(0);
}

void CMainFrame::showContextMenu(QPoint globalPos)
{
    m_contextMenu->exec(globalPos);
}

void CMainFrame::focusOtherPane()
{
    if (m_board->hasFocus())
        m_tray->setFocus(Qt::ShortcutFocusReason);
    else
        m_board->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::puzzleCompleted()
{
    // A put-down that completes the puzzle as the program ends finishes the
    // game without a dialog, which would hold up the logout.
    if (m_ending) {
        TakeFinalTime(*m_doc, m_clock.TickMs());
        return;
    }
    RunCompletion(this, *m_doc, m_clock, m_chooser, m_settings, m_gameName);
    refreshCommands();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        action(kCmdPause)->trigger();
}

void CMainFrame::showAbout()
{
    AboutDialog dialog(this, tr("「ぼるぺる」 のバージョン情報"), tr("「ぼるぺる」 Version 6.0"), frameTitle());
    dialog.exec();
}

void CMainFrame::showMusicError(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, tr("BGM"), text, QMessageBox::Ok, this);
    box.exec();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The stored width can be given to the board only once the splitter
    // knows its own width, since QSplitter shares out its width in
    // proportion to the sizes it is given; and the window reaches its stored
    // size only some time after it is shown. So every resize gives the board
    // its stored width again until the user moves the bar.
    if (watched == m_splitter && event->type() == QEvent::Resize && m_storedBoardWidth) {
        const int width = static_cast<QResizeEvent*>(event)->size().width() - m_splitter->handleWidth();
        const int board = std::clamp(*m_storedBoardWidth, 0, std::max(0, width));
        m_splitter->setSizes({board, width - board});
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Each time the program shows the window (not when the desktop restores
    // it), it goes back to the stored rectangle: its client area, as written
    // at close, so that it comes back exactly whatever decoration each
    // desktop draws, kept inside the screen.
    if (event->spontaneous())
        return;
    QRect r = m_settings.readRect(QStringLiteral("rg"), toQRect(m_doc->GetMainWndRect()));
    if (r.width() <= 0 || r.height() <= 0)
        r.setSize(toQRect(m_doc->GetMainWndRect()).size());
    placeClientInside(*this, r);
}

void CMainFrame::storePlaces()
{
    m_settings.writeRect(QStringLiteral("rg"), geometry());
    m_settings.writeInt(QStringLiteral("FlDx"), m_board->width());
    m_settings.writeInt(QStringLiteral("Zoom"), m_board->zoomPercent());
    m_toolWindows->storeOpenPlaces();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    storePlaces();
    endCarry();
    // A game the user chose to save but that was not saved (the dialog
    // cancelled, the file not written) keeps the window open.
    if (!m_files->offerSave()) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}
