#include "main_frame.h"

#include "about_dialog.h"
#include "background_music.h"
#include "board_view.h"
#include "board_zoom.h"
#include "command_ids.h"
#include "completion.h"
#include "drag_overlay.h"
#include "elapsed_window.h"
#include "file_commands.h"
#include "finished_picture.h"
#include "menu_table.h"
#include "pause_cover.h"
#include "play_rules.h"
#include "screen_area.h"
#include "shell_events.h"
#include "table_options.h"
#include "tool_windows.h"
#include "tray_view.h"
#include "vorpel_settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QResizeEvent>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The first part of string 128, the document's title.
QString frameTitle()
{
    return QCoreApplication::translate("CMainFrame", "パソコンで楽しむジグソーパズル");
}
// The board's width when the settings have none.
constexpr int kDefaultBoardWidth = 470;
constexpr QSize kMinimumSize(640, 480);

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

    m_menus = std::make_unique<MenuTable>(
        this, [this](QMenu* options) { new TableOptions(m_settings, *m_board, options); });
    for (QMenu* menu : m_menus->menus())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshCommands);
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

QAction* CMainFrame::action(int commandId) const
{
    return m_menus->action(commandId);
}

QMenu* CMainFrame::contextMenu() const
{
    return m_menus->contextMenu();
}

void CMainFrame::showContextMenu(QPoint globalPos)
{
    m_menus->contextMenu()->exec(globalPos);
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
