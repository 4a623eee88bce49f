#include "board_view.h"
#include "command_ids.h"
#include "drag_overlay.h"
#include "elapsed_window.h"
#include "file_commands.h"
#include "jzt_file.h"
#include "main_frame.h"
#include "pause_cover.h"
#include "play_rules.h"
#include "shell_test_support.h"
#include "signal_exit.h"
#include "tool_windows.h"
#include "tray_view.h"
#include "views_test_support.h"
#include "vorpel_settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>

// Whole games played with the mouse alone on the real windows: pieces dragged
// from the tray, turned, carried and joined until the puzzle is complete,
// with a save, a restart and a resume in the middle.
class PlayGameTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void init()
    {
        // Room for the whole 3 × 4 puzzle on the board and one tray column.
        openFolder(QRect(0, 0, 1000, 860), 700);
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    }
    void cleanup() { closeFolder(); }

    void wholeGameWithSaveAndResume()
    {
        DialogAnswerer answers;
        startTwelve();
        m_frame->action(kCmdToggleElapsed)->trigger();
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("twelve.jzt"), 0));

        // Piece 0 goes to the top-left; every other piece is dropped a few
        // pixels off its place, turned upright and put down, and snaps on.
        // The window title and the elapsed-time window follow the joins, not
        // the pieces taken out: 5 of 11 joins.
        const QPoint origin(40, 30);
        const QPoint offsets[] = {{0, 0}, {9, -7}, {-12, 5}, {14, 14}, {-16 + 2, 0}, {3, -15}};
        for (int id = 0; id < 6; ++id) {
            playPiece(id, origin, offsets[id], id == 4);
            QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("twelve.jzt"), id * 100 / 11));
            QCOMPARE(progressText(), QStringLiteral("完成度 %1%").arg(id * 100 / 11));
        }
        QCOMPARE(groupSize(0), 6);
        QCOMPARE(m_sounds.count(SoundEffect::Join), 5);
        QCOMPARE(doc().GetModified(), 1);

        // Save in the middle, quit without a prompt, restart and resume.
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("half"));
        m_frame->action(kCmdSavePlayFile)->trigger();
        QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("half.jpd"))));
        QVERIFY(m_frame->close());
        QCOMPARE(answers.count(QStringLiteral("データの変更を保存する")), 0);
        startFrame();
        m_chooser.nextOpen = m_dir->filePath(QStringLiteral("half.jpd"));
        m_frame->action(kCmdOpenPlayFile)->trigger();
        QCOMPARE(doc().GetPiecesOut(), 6);
        QCOMPARE(groupSize(0), 6);
        const RECT first = rectOf(0);
        QCOMPARE(QPoint(first.left, first.top), origin);
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("half.jpd"), 45));

        for (int id = 6; id < 12; ++id)
            playPiece(id, origin, QPoint(id % 2 == 0 ? 6 : -6, id % 3 == 0 ? -9 : 4), id == 9);
        QCOMPARE(groupSize(0), 12);
        for (int id = 0; id < 12; ++id) {
            const POINT home = homePlace(doc(), id, origin.x(), origin.y());
            QCOMPARE(QPoint(rectOf(id).left, rectOf(id).top), QPoint(home.x, home.y));
        }
        QCOMPARE(m_sounds.count(SoundEffect::Join), 11);
        QCOMPARE(m_sounds.count(SoundEffect::Complete), 1);
        QCOMPARE(m_sounds.played.back(), SoundEffect::Complete);
        QCOMPARE(doc().GetCompleted(), 1);
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("half.jpd"), 100));
        // The congratulations, then the finished-picture choice,
        // closed with Escape: no panel and no picture.
        QCOMPARE(answers.titles.mid(answers.titles.size() - 2),
                 (QStringList{QStringLiteral("パズル完成"), QStringLiteral("完成パズル画像")}));
        QCOMPARE(answers.count(QStringLiteral("PANEL")), 0);
        QVERIFY(!m_frame->action(kCmdSavePlayFile)->isEnabled());

        // A finished game is not offered for saving on the way out.
        QVERIFY(m_frame->close());
        QCOMPARE(answers.count(QStringLiteral("データの変更を保存する")), 0);
    }

    // Pieces lost far off the table come back into the part of the board in
    // view, where the board shows them.
    void gatherBringsStrayPiecesIntoView()
    {
        DialogAnswerer answers;
        startTwelve();
        CVorpelDoc& d = doc();
        placeOnBoard(d, 0, 2, 2600, 1500);
        placeOnBoard(d, 5, 1, 2400, 1800);
        placeOnBoard(d, 7, 3, 1900, 40);
        CVorpelView* board = m_frame->board();
        board->documentChanged();
        board->horizontalScrollBar()->setValue(300);
        board->verticalScrollBar()->setValue(200);
        const QRect view = board->visibleBoardRect();
        QCOMPARE(view, QRect(QPoint(300, 200), board->viewport()->size()));
        m_frame->action(kCmdGatherPieces)->trigger();
        for (int id : {0, 5, 7})
            QVERIFY2(view.contains(toQRect(rectOf(id))), qPrintable(QString::number(id)));
        const QImage shown = board->viewport()->grab().toImage();
        QVERIFY(shown.pixelColor(toQRect(rectOf(5)).center() - view.topLeft()) != QColor(0, 128, 0));
    }

    // Loose pieces piled on one another and on a group are laid side by side
    // in view, clear of the group, which stays where it is.
    void spreadLaysLoosePiecesSideBySide()
    {
        DialogAnswerer answers;
        startTwelveWithAPair();
        CVorpelDoc& d = doc();
        QCOMPARE(groupSize(0), 2);
        const RECT group = GroupBounds(d, 0);
        for (int id : {5, 7, 9, 11})
            placeOnBoard(d, id, 1 + id % 4, group.left + 30, group.top + 20);
        m_frame->board()->documentChanged();

        m_frame->action(kCmdSpreadPieces)->trigger();

        QCOMPARE(GroupBounds(d, 0), group);
        const QRect view = m_frame->board()->visibleBoardRect();
        const std::vector<int> ids{0, 1, 5, 7, 9, 11};
        for (std::size_t i = 0; i < ids.size(); ++i) {
            QVERIFY2(view.contains(toQRect(rectOf(ids[i]))), qPrintable(QString::number(ids[i])));
            // The group's own two pieces overlap by their knobs, as joined
            // pieces do.
            for (std::size_t j = std::max<std::size_t>(i + 1, 2); j < ids.size(); ++j)
                QVERIFY(!toQRect(rectOf(ids[i])).intersects(toQRect(rectOf(ids[j]))));
        }
        QCOMPARE(groupSize(5), 1);
        QCOMPARE(d.GetModified(), 1);
    }

    // Ctrl+0 fits the table into view, down to a piece far off, and the
    // title tells the new zoom.
    void zoomToFitShowsTheWholeTableAndSaysSo()
    {
        DialogAnswerer answers;
        startTwelve();
        placeOnBoard(doc(), 4, 1, 2400, 1800);
        m_frame->board()->documentChanged();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTest::keyClick(m_frame.get(), Qt::Key_0, Qt::ControlModifier);
        const CVorpelView* board = m_frame->board();
        QVERIFY(board->zoomPercent() < 100);
        QVERIFY(board->visibleBoardRect().contains(toQRect(rectOf(4))));
        QVERIFY2(m_frame->windowTitle().endsWith(QStringLiteral(" %1%").arg(board->zoomPercent())),
                 qPrintable(m_frame->windowTitle()));
    }

    // A command given while a piece is carried ends the carry first, as
    // letting go would: a piece from the tray goes back to its slot, a group
    // held on the board is put down where it is, within the board. Nothing
    // arrives with the button's late release, and what is saved is always a
    // whole game.
    void commandsEndTheCarryFirst_data()
    {
        QTest::addColumn<int>("command");    // 0: closing, saved at the prompt
        QTest::addColumn<bool>("fromTray");  // or the pair held, piece 0 past the board's left edge
        QTest::newRow("save, from the tray") << int(kCmdSavePlayFile) << true;
        QTest::newRow("save, on the board") << int(kCmdSavePlayFile) << false;
        QTest::newRow("close, from the tray") << 0 << true;
        QTest::newRow("Exit, on the board") << int(kCmdExit) << false;
        QTest::newRow("open a play file, on the board") << int(kCmdOpenPlayFile) << false;
        QTest::newRow("open a puzzle, from the tray") << int(kCmdOpenPuzzle) << true;
        QTest::newRow("arrange the tray, from the tray") << int(kCmdArrangeTray) << true;
        QTest::newRow("gather, from the tray") << int(kCmdGatherPieces) << true;
    }
    void commandsEndTheCarryFirst()
    {
        QFETCH(int, command);
        QFETCH(bool, fromTray);
        DialogAnswerer answers(QStringLiteral("はい"));
        startTwelveWithAPair();
        CVorpelDoc& d = doc();
        const int pitch = d.Pitch();
        const int slot = slotOfPiece(d, 5);
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("pair.jpd"));
        m_chooser.nextOpen = m_dir->filePath(command == kCmdOpenPuzzle ? QStringLiteral("twelve.jzt")
                                                                       : QStringLiteral("pair.jpd"));
        m_frame->action(kCmdSavePlayFile)->trigger();
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("carried.jpd"));
        QWidget* board = m_frame->board()->viewport();
        QWidget* tray = m_frame->tray()->viewport();
        const QPoint overBoard = board->mapToGlobal(QPoint(300, 400));
        if (fromTray) {
            carryFromTray(slot, overBoard);
            // Turned while carried: a change, so that closing asks.
            click(tray, overBoard, Qt::RightButton, Qt::LeftButton);
            QVERIFY(d.GetTrayDrag() && overlay()->isVisible());
        } else {
            m_frame->board()->horizontalScrollBar()->setValue(0);
            click(board, board->mapToGlobal(boardToViewport(toQRect(rectOf(1)).topLeft() + QPoint(100, 100))));
            mouse(board, QEvent::MouseMove, board->mapToGlobal(QPoint(100, 200)), Qt::NoButton, Qt::NoButton);
            QVERIFY(d.GetHolding() && rectOf(0).left < 0);
        }
        if (command == 0)
            QVERIFY(m_frame->close());
        else
            m_frame->action(command)->trigger();
        QVERIFY(!d.GetTrayDrag() && !d.GetHolding() && !overlay()->isVisible());
        const CVorpelDoc settled = d;
        mouse(tray, QEvent::MouseButtonRelease, overBoard, Qt::LeftButton, Qt::NoButton);
        mouse(board, QEvent::MouseMove, overBoard + QPoint(80, 60), Qt::NoButton, Qt::NoButton);
        QVERIFY(d == settled);
        for (int piece = 0; piece < d.PieceCount(); ++piece) {
            int inTray = 0;
            for (int s = 0; s <= d.PieceCount(); ++s)
                inTray += d.GetTrayTurn(s) != 0 && d.GetTrayPiece(s) == piece;
            QCOMPARE(inTray + d.GetOnBoard(piece), 1);
        }
        if (command == kCmdOpenPuzzle)
            return;
        if (command != kCmdArrangeTray)
            QCOMPARE(slotOfPiece(d, 5), slot);
        if (command == kCmdSavePlayFile || command == kCmdExit || command == 0) {
            startFrame();
            QVERIFY(m_frame->files().loadPlayFile(m_dir->filePath(QStringLiteral("carried.jpd"))));
        }
        QCOMPARE(groupSize(0), 2);
        QCOMPARE(rectOf(0).left, fromTray || command == kCmdOpenPlayFile ? 40 : 0);
        QCOMPARE(rectOf(1).left - rectOf(0).left, pitch);
        QCOMPARE(rectOf(1).top, rectOf(0).top);
        QCOMPARE(doc().GetOnBoard(5), 0);
    }

    // SIGTERM while the held piece would complete the puzzle: the carry ends,
    // the game is kept as finished and the program ends without a dialog.
    void terminationDuringACompletingCarryOpensNoDialog()
    {
        DialogAnswerer answers;
        startTwelve();
        CVorpelDoc& d = doc();
        GroupMatrix joined{};
        for (int id = 0; id < 12; ++id) {
            const POINT home = homePlace(d, id, 40, 30);
            placeOnBoard(d, id, 1, home.x + (id == 11 ? 5 : 0), home.y);
            joined[id % 3][id / 3] = id != 11;
        }
        for (int id = 0; id < 11; ++id)
            d.Group(id) = joined;
        m_frame->board()->documentChanged();
        QWidget* board = m_frame->board()->viewport();
        const QPoint grip = board->mapToGlobal(boardToViewport(toQRect(rectOf(11)).center()));
        click(board, grip);
        SignalExit signalExit([this] { m_frame->endWithoutQuestions(); });
        QSignalSpy closing(m_frame.get(), &CMainFrame::closing);
        answers.titles.clear();
        std::raise(SIGTERM);
        QTRY_COMPARE(closing.count(), 1);
        QCOMPARE(d.GetCompleted(), 1);
        QCOMPARE(d.GetPlayable(), 0);
        QCOMPARE(answers.titles, QStringList());
    }

    // Pausing stops the clock and hides every piece behind a plain cover
    // until a key or a click, without changing the game: a play file saved
    // before and after the pause is the same.
    void pauseStopsTheClockAndHidesThePieces_data()
    {
        QTest::addColumn<int>("pauseBy");  // 0 the P key, 1 the Pause key, 2 minimising
        QTest::addColumn<bool>("resumeByKey");
        QTest::newRow("P, then a click") << 0 << false;
        QTest::newRow("Pause, then a key") << 1 << true;
        QTest::newRow("minimised, then a key") << 2 << true;
    }
    void pauseStopsTheClockAndHidesThePieces()
    {
        QFETCH(int, pauseBy);
        QFETCH(bool, resumeByKey);
        DialogAnswerer answers;
        startTwelveWithAPair();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QAction* pause = m_frame->action(kCmdPause);
        const auto saved = [this](const QString& name) {
            m_chooser.nextSave = m_dir->filePath(name);
            m_frame->action(kCmdSavePlayFile)->trigger();
            QFile file(m_dir->filePath(name + QStringLiteral(".jpd")));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        m_clock.tick += 65'000;
        const QByteArray before = saved(QStringLiteral("before"));

        if (pauseBy == 2) {
            m_frame->setWindowState(Qt::WindowMinimized);
            m_frame->setWindowState(Qt::WindowNoState);
        } else {
            QTest::keyClick(m_frame.get(), pauseBy == 0 ? Qt::Key_P : Qt::Key_Pause);
        }
        auto* cover = m_frame->findChild<PauseCover*>();
        QWidget* central = m_frame->centralWidget();
        QVERIFY(cover->isVisible() && !pause->isEnabled());
        QCOMPARE(doc().GetModified(), 0);
        // Nothing of the panes shows through the cover.
        QCOMPARE(central->grab().toImage().convertToFormat(QImage::Format_RGB32), cover->grab().toImage());

        m_clock.tick += 600'000;
        QCOMPARE(saved(QStringLiteral("during")), before);
        if (resumeByKey)
            QTest::keyClick(cover, Qt::Key_Space);
        else
            QTest::mouseClick(cover, Qt::LeftButton);
        QVERIFY(!cover->isVisible() && pause->isEnabled());
        QCOMPARE(saved(QStringLiteral("after")), before);
        m_clock.tick += 5'000;
        QVERIFY(saved(QStringLiteral("later")) != before);
    }

    // A game reopened with its pieces away from the place in view scrolls to
    // them.
    void reopenedGameShowsItsPieces()
    {
        DialogAnswerer answers;
        startTwelve();
        placeOnBoard(doc(), 4, 1, 2400, 1800);
        const QString saved = m_dir->filePath(QStringLiteral("far.jpd"));
        m_chooser.nextSave = saved;
        m_frame->action(kCmdSavePlayFile)->trigger();
        startFrame();
        QVERIFY(m_frame->files().loadPlayFile(saved));
        QVERIFY(m_frame->board()->visibleBoardRect().intersects(toQRect(rectOf(4))));
    }

private:
    RECT rectOf(int id) { return doc().PieceRect()[id % doc().GetCols()][id / doc().GetCols()]; }

    static QRect toQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

    // The progress line of the open elapsed-time window.
    QString progressText()
    {
        ElapsedWindow* w = m_frame->toolWindows().elapsed();
        return w != nullptr ? w->progressLabel()->text() : QString();
    }

    int groupSize(int id)
    {
        int n = 0;
        for (int c = 0; c < doc().GetCols(); ++c)
            for (int r = 0; r < doc().GetRows(); ++r)
                n += doc().Group(id)[c][r];
        return n;
    }

    QPoint boardToViewport(QPoint p) const
    {
        return p - QPoint(m_frame->board()->horizontalScrollBar()->value(),
                          m_frame->board()->verticalScrollBar()->value());
    }

    // Scrolls the tray to a slot and returns the viewport point of its centre.
    QPoint showSlot(int slot)
    {
        const int s = doc().PieceSize();
        QScrollBar* trayBar = m_frame->tray()->verticalScrollBar();
        const POINT cell = TraySlotOrigin(doc(), slot);
        trayBar->setValue(cell.y);
        return QPoint(cell.x + s / 2, cell.y - trayBar->value() + s / 2);
    }

    // Presses on a tray slot and carries its piece to a global point without
    // letting go.
    void carryFromTray(int slot, QPoint target)
    {
        QWidget* tray = m_frame->tray()->viewport();
        mouse(tray, QEvent::MouseButtonPress, tray->mapToGlobal(showSlot(slot)), Qt::LeftButton, Qt::LeftButton);
        mouse(tray, QEvent::MouseMove, target + QPoint(-60, 10), Qt::NoButton, Qt::LeftButton);
        mouse(tray, QEvent::MouseMove, target, Qt::NoButton, Qt::LeftButton);
    }

    DragOverlay* overlay() const { return m_frame->findChild<DragOverlay*>(); }

    // Opens the 3 × 4 puzzle in a new frame.
    void startTwelve()
    {
        m_chooser.nextOpen = writeTwelve();
        startFrame();
        m_frame->action(kCmdOpenPuzzle)->trigger();
        QCOMPARE(doc().PieceCount(), 12);
    }

    // The twelve-piece game with pieces 0 and 1 joined on the board.
    void startTwelveWithAPair()
    {
        startTwelve();
        playPiece(0, QPoint(40, 30), QPoint(), false);
        playPiece(1, QPoint(40, 30), QPoint(9, -7), false);
    }

    // Drags the piece from its tray slot to its place (offset by `offset`),
    // turns it upright with right clicks and puts it down so that it joins:
    // by press-drag-release, or by click-move-click when `carry` is set.
    void playPiece(int id, QPoint origin, QPoint offset, bool carry)
    {
        CVorpelDoc& d = doc();
        const int s = d.PieceSize();
        const int slot = slotOfPiece(d, id);
        QVERIFY(slot >= 0);
        QWidget* tray = m_frame->tray()->viewport();
        const QPoint inTray = showSlot(slot);

        const POINT home = homePlace(d, id, origin.x(), origin.y());
        const QPoint place = QPoint(home.x, home.y) + offset;
        QWidget* board = m_frame->board()->viewport();
        const QPoint centre = boardToViewport(place + QPoint(s / 2, s / 2));
        const int joinsBefore = m_sounds.count(SoundEffect::Join);

        const QPoint target = board->mapToGlobal(centre);
        if (carry && d.GetTrayTurn(slot) == 1) {
            // Turned in the tray first, so that it cannot join on landing
            // and has to be carried into place.
            click(tray, tray->mapToGlobal(inTray), Qt::RightButton);
            QCOMPARE(d.GetTrayTurn(slot), 2);
        }
        // The tray keeps the mouse from the press to the release, wherever
        // the cursor goes, as the window system's grab does.
        carryFromTray(slot, target);
        mouse(tray, QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(d.GetOnBoard(id), 1);
        QCOMPARE(slotOfPiece(d, id), -1);
        if (groupSize(id) > 1)
            return;  // it landed upright and joined at once

        for (int turns = 0; d.GetBoardTurn(id) != 1 && turns < 4; ++turns)
            click(board, target, Qt::RightButton);
        QCOMPARE(d.GetBoardTurn(id), 1);
        QCOMPARE(QPoint(rectOf(id).left, rectOf(id).top), place);
        if (carry) {
            click(board, target);
            QCOMPARE(d.GetHolding(), 1);
            mouse(board, QEvent::MouseMove, target + QPoint(30, 20), Qt::NoButton, Qt::NoButton);
            mouse(board, QEvent::MouseMove, target, Qt::NoButton, Qt::NoButton);
            click(board, target);
        } else {
            mouse(board, QEvent::MouseButtonPress, target, Qt::LeftButton, Qt::LeftButton);
            mouse(board, QEvent::MouseMove, target + QPoint(5, 3), Qt::NoButton, Qt::LeftButton);
            mouse(board, QEvent::MouseMove, target, Qt::NoButton, Qt::LeftButton);
            mouse(board, QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
        }
        QCOMPARE(d.GetHolding(), 0);
        if (id != 0)
            QVERIFY(m_sounds.count(SoundEffect::Join) > joinsBefore);
    }

};

QTEST_MAIN(PlayGameTest)
#include "game_test.moc"
