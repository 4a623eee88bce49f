// Paints the player's screenshots for the README: a scene set up on the real
// windows, offscreen, and saved as pictures. tools/make-screenshots.sh runs it
// once per scene and language.
//
//   vorpel-scenes game PUZZLE OUT.png
//       the puzzle (the bundled sample) with a corner assembled and loose
//       pieces about;
//   vorpel-scenes zoomed PUZZLE ZOOMED.png SELECTION.png
//       a 1000-piece puzzle strewn over the table, fitted into view, then
//       chosen groups carried at half size beside a tray of edge pieces;
//   vorpel-scenes records RECORDS.png
//       the records window with four finished puzzles.

#include "best_time_store.h"
#include "board_view.h"
#include "command_ids.h"
#include "document_test_support.h"
#include "document_commands.h"
#include "file_chooser.h"
#include "file_commands.h"
#include "main_frame.h"
#include "play_rules.h"
#include "records_window.h"
#include "scene_support.h"
#include "selection_rules.h"
#include "sound_effects.h"
#include "translations.h"
#include "tray_view.h"
#include "vorpel_settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// Lays a piece upright where it belongs when the picture's top-left is at
// board (x0, y0), and joins it to its neighbours there.
void layAtHome(CVorpelDoc& doc, int piece, int x0, int y0)
{
    const int x = x0 + piece % doc.GetCols() * doc.Pitch();
    const int y = y0 + piece / doc.GetCols() * doc.Pitch();
    placeOnBoard(doc, piece, 1, x, y);
    TryJoin(doc, piece);
}

QPoint centreOf(const RECT& r)
{
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The player's window at a fixed size, on settings, records and a clock of
// its own, with whatever dialog the puzzle opens (its message) closed.
class Player {
public:
    Player()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
        m_settings.writeRect(QStringLiteral("rg"), QRect(0, 0, 1060, 720));
        m_settings.writeInt(QStringLiteral("FlDx"), 740);
        QObject::connect(&m_dialogCloser, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        m_dialogCloser.start(5);
    }

    CMainFrame& show()
    {
        m_frame = std::make_unique<CMainFrame>(m_settings, m_clock, m_random, silentSoundEffects(), m_chooser);
        m_frame->show();
        waitUntilShown(*m_frame);
        return *m_frame;
    }
    CVorpelDoc& open(const char* puzzle)
    {
        require(m_frame->files().loadPuzzle(QString::fromLocal8Bit(puzzle)), "cannot open the puzzle");
        return m_frame->document();
    }
    // Shows what was changed in the document behind the panes' backs.
    void refresh()
    {
        OnArrangeTray(m_frame->document(), noDocumentEvents());
        m_frame->board()->documentChanged();
        m_frame->tray()->documentChanged();
    }
    QString recordsPath() const { return m_dir.filePath(QStringLiteral("vorpel/records.txt")); }

private:
    QTemporaryDir m_dir;
    VorpelSettings m_settings{m_dir.filePath(QStringLiteral("vorpel.ini"))};
    FakeClock m_clock;
    MtRandom m_random;
    DialogFileChooser m_chooser;
    QTimer m_dialogCloser;
    std::unique_ptr<CMainFrame> m_frame;
};

// The top-left 5 × 4 pieces joined, six pieces lying about in every turn.
void gameInProgress(const char* puzzle, const char* out)
{
    Player player;
    CMainFrame& frame = player.show();
    CVorpelDoc& d = player.open(puzzle);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            layAtHome(d, r * d.GetCols() + c, 24, 20);
    const int loose[][4] = {{57, 2, 470, 300}, {33, 1, 380, 40}, {71, 4, 540, 170}, {48, 3, 420, 380},
                            {26, 1, 560, 40},  {65, 2, 300, 420}};
    for (const auto& [id, turn, x, y] : loose)
        placeOnBoard(d, id, turn, x, y);
    player.refresh();
    save(frame.grab().toImage(), out);
}

// The top rows and the left columns assembled, 700 pieces strewn over a
// table far larger than the board pane in every turn, the rest in the tray,
// one piece far off at (2400, 1800): fitted into view. Then, at half size, a
// band drawn from empty table over strewn pieces chooses their groups, and
// they are carried together while the tray shows only its edge pieces,
// arranged first.
void zoomedOutTable(const char* puzzle, const char* zoomedOut, const char* selectionOut)
{
    Player player;
    CMainFrame& frame = player.show();
    CVorpelDoc& d = player.open(puzzle);
    const int cols = d.GetCols();
    for (int id = 0; id < d.PieceCount(); ++id) {
        const int c = id % cols;
        const int r = id / cols;
        if (r < 3 || (c < 4 && r < 14))
            layAtHome(d, id, 60, 50);
        else if (id % 10 < 7)
            placeOnBoard(d, id, 1 + id % 4, 260 + id * 379 % 2100, 180 + id * 233 % 1600);
    }
    placeOnBoard(d, d.PieceCount() - 1, 1, 2400, 1800);
    player.refresh();
    frame.action(kCmdZoomToFit)->trigger();
    QApplication::processEvents();
    save(frame.grab().toImage(), zoomedOut);

    frame.action(kCmdArrangeEdgesFirst)->trigger();
    CVorpelView* board = frame.board();
    board->zoomAbout(50, QPoint(0, 0));
    QWidget* vp = board->viewport();
    const auto global = [&](QPoint boardPoint) { return vp->mapToGlobal(boardPoint / 2 - board->scrollPosition()); };
    QPoint from(1100, 600);
    while (FindPieceAt(d, from.x(), from.y()) != kNoPiece)
        from += QPoint(7, 5);
    drag(vp, global(from), global(from + QPoint(500, 380)));
    // Carried by a chosen piece that lies on top where it is gripped.
    int grip = kNoPiece;
    for (int id = 0; id < d.PieceCount(); ++id) {
        const QPoint centre = centreOf(d.PieceRect()[id % cols][id / cols]);
        if (IsGroupSelected(d, id) && FindPieceAt(d, centre.x(), centre.y()) == id)
            grip = id;
    }
    require(grip != kNoPiece, "the band chose no piece");
    const QPoint gripAt = centreOf(d.PieceRect()[grip % cols][grip / cols]);
    mouse(vp, QEvent::MouseButtonPress, global(gripAt), Qt::LeftButton, Qt::LeftButton);
    mouse(vp, QEvent::MouseMove, global(gripAt + QPoint(-260, 180)), Qt::NoButton, Qt::LeftButton);
    require(IsCarryingSelection(d), "the chosen groups are not carried");
    frame.tray()->findChild<QComboBox*>()->setCurrentIndex(1);
    QApplication::processEvents();
    save(frame.grab().toImage(), selectionOut);
}

// Four finished puzzles, the one finished last listed first.
void records(const char* out)
{
    Player player;
    const std::string text = fourFinishedRecords();
    QDir().mkpath(QFileInfo(player.recordsPath()).path());
    QFile file(player.recordsPath());
    require(file.open(QIODevice::WriteOnly) && file.write(text.data(), qint64(text.size())) > 0,
            "cannot write the records");
    file.close();
    RecordsDialog dialog(BestTimeStore(player.recordsPath()), &player.show());
    // Painted as it opens, before it takes the focus and marks a row.
    dialog.show();
    save(dialog.grab().toImage(), out);
}

int usage()
{
    std::fputs("usage: vorpel-scenes game PUZZLE OUT.png\n"
               "       vorpel-scenes zoomed PUZZLE ZOOMED.png SELECTION.png\n"
               "       vorpel-scenes records OUT.png\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installTranslations(QStringLiteral("vorpel"), uiLanguage(), QStringLiteral(VORPEL_DIR));
    const QString scene = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    try {
        if (scene == QLatin1String("game") && argc == 4)
            gameInProgress(argv[2], argv[3]);
        else if (scene == QLatin1String("zoomed") && argc == 5)
            zoomedOutTable(argv[2], argv[3], argv[4]);
        else if (scene == QLatin1String("records") && argc == 3)
            records(argv[2]);
        else
            return usage();
    } catch (const SceneFailed& failed) {
        std::fprintf(stderr, "vorpel-scenes: %s\n", failed.reason);
        return 1;
    }
    return 0;
}
