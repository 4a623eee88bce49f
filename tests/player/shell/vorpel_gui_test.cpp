#include "board_view.h"
#include "command_ids.h"
#include "command_line.h"
#include "cut_progress.h"
#include "document_commands.h"
#include "file_commands.h"
#include "jzt_file.h"
#include "play_file.h"
#include "shell_test_support.h"
#include "tray_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QtTest>

#include <functional>
#include <memory>

class VorpelGuiTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void init()
    {
        openFolder();
        startFrame(false);
        m_puzzlePath = writeTwelve(QStringLiteral("sample.jzt"));
    }
    void cleanup() { closeFolder(); }

    void firstStartUsesDefaults()
    {
        m_frame->show();
        // The default rectangle at (0, 0) would put the window's frame (the
        // offscreen platform draws one of 2 pixels) off the screen: the
        // window is moved in just far enough.
        QCOMPARE(m_frame->pos(), QPoint(0, 0));
        QCOMPARE(m_frame->size(), QSize(640, 480));
        QCOMPARE(m_frame->board()->width(), 470);
        m_frame->resize(300, 200);
        QCOMPARE(m_frame->size(), QSize(640, 480));
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("パソコンで楽しむジグソーパズル"));
    }

    // The window, the splitter, the table's colour, the faint picture and
    // the zoom come back after a restart.
    void theLookSurvivesARestart()
    {
        const auto option = [this](const QString& text) {
            for (QAction* a : m_frame->findChildren<QAction*>())
                if (a->text() == text)
                    return a;
            return static_cast<QAction*>(nullptr);
        };
        const auto tableShown = [this] { return m_frame->board()->viewport()->grab().toImage().pixelColor(5, 5); };
        const QColor brown(0x7a, 0x52, 0x30);
        m_frame->show();
        QCOMPARE(tableShown(), QColor(0, 128, 0));
        QVERIFY(option(QStringLiteral("緑(&G)"))->isChecked());
        QVERIFY(!option(QStringLiteral("下絵を表示(&P)"))->isChecked());
        m_frame->setGeometry(30, 40, 700, 500);
        const QList<int> sizes = m_frame->splitter()->sizes();
        m_frame->splitter()->setSizes({300, sizes[0] + sizes[1] - 300});
        option(QStringLiteral("茶(&R)"))->trigger();
        option(QStringLiteral("下絵を表示(&P)"))->trigger();
        QCOMPARE(tableShown(), brown);
        m_frame->action(kCmdZoomOut)->trigger();
        QVERIFY(m_frame->close());
        QSettings ini(m_settings->path(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Vorpel_Section/rgright")).toInt(), 730);
        QCOMPARE(ini.value(QStringLiteral("Vorpel_Section/FlDx")).toInt(), 300);
        QVERIFY(!ini.contains(QStringLiteral("Vorpel_Section/rpleft")));
        QVERIFY(!ini.contains(QStringLiteral("Vorpel_Section/rtleft")));

        startFrame();
        QCOMPARE(m_frame->geometry(), QRect(30, 40, 700, 500));
        QCOMPARE(m_frame->board()->width(), 300);
        QCOMPARE(m_frame->board()->zoomPercent(), 67);
        QCOMPARE(tableShown(), brown);
        QVERIFY(option(QStringLiteral("茶(&R)"))->isChecked() && !option(QStringLiteral("緑(&G)"))->isChecked());
        QVERIFY(option(QStringLiteral("下絵を表示(&P)"))->isChecked());
        // Shown again, the window goes back to the stored rectangle.
        m_frame->move(100, 100);
        m_frame->hide();
        m_frame->show();
        QCOMPARE(m_frame->geometry().topLeft(), QPoint(30, 40));

        // A board wider than the window's first layout still gets its width;
        // a zoom that is no level is the actual size.
        QVERIFY(m_frame->close());
        ini.setValue(QStringLiteral("Vorpel_Section/FlDx"), 700);
        ini.setValue(QStringLiteral("Vorpel_Section/rgright"), 1030);
        ini.setValue(QStringLiteral("Vorpel_Section/Zoom"), 9999);
        ini.sync();
        startFrame();
        QCOMPARE(m_frame->board()->width(), 700);
        QCOMPARE(m_frame->board()->zoomPercent(), 100);
    }

    // No two entries of a menu, the context menu's too, share an access key.
    void menusAreKeyedOnce()
    {
        QStringList clashes;
        std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
            QList<QChar> keys;
            for (const QAction* a : actions) {
                const QString text = a->text();
                const qsizetype amp = text.indexOf(QLatin1Char('&'));
                if (amp >= 0 && amp + 1 < text.size()) {
                    if (keys.contains(text[amp + 1].toUpper()))
                        clashes << text;
                    keys << text[amp + 1].toUpper();
                }
                if (a->menu() != nullptr)
                    walk(a->menu()->actions());
            }
        };
        walk(m_frame->menuBar()->actions());
        QMenu* context = m_frame->contextMenu();
        emit context->aboutToShow();
        walk(context->actions());
        emit context->aboutToHide();
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('|'))));
        QCOMPARE(m_frame->menuBar()->actions().size(), 5);
        QCOMPARE(m_frame->action(kCmdOpenPuzzle)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(m_frame->action(kCmdPause)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)}));
    }

    // The zoom commands step through the levels and stop at the ends.
    void zoomCommandsStepThroughTheLevels()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        CVorpelView* board = m_frame->board();
        QCOMPARE(board->zoomPercent(), 100);
        for (int percent : {150, 200, 200}) {
            m_frame->action(kCmdZoomIn)->trigger();
            QCOMPARE(board->zoomPercent(), percent);
        }
        QVERIFY(!m_frame->action(kCmdZoomIn)->isEnabled());
        m_frame->action(kCmdZoomActualSize)->trigger();
        QCOMPARE(board->zoomPercent(), 100);
        for (int percent : {67, 50, 33, 25, 15, 10, 10}) {
            QTest::keyClick(m_frame.get(), Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(board->zoomPercent(), percent);
        }
        QVERIFY(!m_frame->action(kCmdZoomOut)->isEnabled());
        QVERIFY(m_frame->action(kCmdZoomIn)->isEnabled());
        for (int i = 0; i < 4; ++i)
            m_frame->action(kCmdZoomIn)->trigger();
        QCOMPARE(board->zoomPercent(), 50);
    }

    void commandsFollowTheDocument()
    {
        QVERIFY(!m_frame->action(kCmdSavePlayFile)->isEnabled());
        QVERIFY(m_frame->action(kCmdBgmOpen)->isEnabled());
        QVERIFY(!m_frame->action(kCmdBgmPlay)->isEnabled());
        QVERIFY(!m_frame->action(kCmdBgmStop)->isEnabled());
        QVERIFY(m_frame->action(kCmdBlackNone)->isChecked());

        m_frame->action(kCmdBlackUncompleted)->trigger();
        QCOMPARE(doc().GetBlackMode(), 2);
        QVERIFY(!m_frame->action(kCmdBlackNone)->isChecked());
        QVERIFY(m_frame->action(kCmdBlackUncompleted)->isChecked());
        // Mode 1, which a play file may hold, draws as the normal mode: it is
        // shown as that, and has no item of its own that would do nothing.
        doc().SetBlackMode(1);
        m_frame->refreshCommands();
        QVERIFY(m_frame->action(kCmdBlackNone)->isChecked());
        QVERIFY(!m_frame->action(kCmdBlackUncompleted)->isChecked());
        QVERIFY(m_frame->action(32800) == nullptr);
        m_frame->action(kCmdBlackUncompleted)->trigger();

        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        QVERIFY(m_frame->action(kCmdSavePlayFile)->isEnabled());
        QCOMPARE(answers.titles, QStringList{QStringLiteral("添付メッセージ")});
        QCOMPARE(answers.texts, QStringList{QStringLiteral("こんにちは\n\nline 3")});
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("sample.jzt")));
        // The options command shows the puzzle's message again.
        answers.clear();
        m_frame->action(kCmdShowMessage)->trigger();
        QCOMPARE(answers.texts, QStringList{QStringLiteral("こんにちは\n\nline 3")});
    }

    // The save prompt guards only a changed, unfinished game: "はい" saves it
    // before the command goes on, "いいえ" lets it go, and a save that is
    // cancelled or fails keeps the game and the window.
    void savePromptGuardsAChangedGame_data()
    {
        QTest::addColumn<int>("way");     // 0: closing the window
        QTest::addColumn<int>("state");   // 0 unchanged, 1 changed, 2 changed and finished
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("saveTo");  // empty: the save dialog cancelled
        QTest::addColumn<bool>("goesOn");
        const int exit = kCmdExit;
        const int open = kCmdOpenPuzzle;
        QTest::newRow("unchanged, closed") << 0 << 0 << "はい" << "game" << true;
        QTest::newRow("unchanged, opening") << open << 0 << "はい" << "game" << true;
        QTest::newRow("finished, opening a play file") << int{kCmdOpenPlayFile} << 2 << "はい" << "game" << true;
        QTest::newRow("changed, Exit, no") << exit << 1 << "いいえ" << "game" << true;
        QTest::newRow("changed, Exit, saved") << exit << 1 << "はい" << "game" << true;
        QTest::newRow("changed, Exit, save cancelled") << exit << 1 << "はい" << "" << false;
        QTest::newRow("changed, closed, folder missing") << 0 << 1 << "はい" << "missing/game.jpd" << false;
        QTest::newRow("changed, opening, save cancelled") << open << 1 << "はい" << "" << false;
        QTest::newRow("changed, opening, no") << open << 1 << "いいえ" << "" << true;
    }
    void savePromptGuardsAChangedGame()
    {
        QFETCH(int, way);
        QFETCH(int, state);
        QFETCH(QString, answer);
        QFETCH(QString, saveTo);
        QFETCH(bool, goesOn);
        DialogAnswerer answers(answer);
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        m_frame->show();
        doc().SetModified(state > 0 ? 1 : 0);
        doc().SetCompleted(state == 2 ? 1 : 0);
        answers.clear();
        m_chooser.nextOpen = m_puzzlePath;
        m_chooser.nextSave = saveTo.isEmpty() ? QString() : path(saveTo);
        if (way == 0)
            QCOMPARE(m_frame->close(), goesOn);
        else
            m_frame->action(way)->trigger();
        const bool saving = state == 1 && answer == QStringLiteral("はい");
        QCOMPARE(answers.count(QStringLiteral("データの変更を保存する")), state == 1 ? 1 : 0);
        QCOMPARE(m_chooser.asked.filter(QStringLiteral("save")).size(), saving ? 1 : 0);
        if (way == kCmdOpenPuzzle || way == kCmdOpenPlayFile)
            QCOMPARE(m_chooser.asked.filter(QStringLiteral("open")).size(), goesOn ? 1 : 0);
        else
            QCOMPARE(m_frame->isVisible(), !goesOn);
        QCOMPARE(answers.count(QStringLiteral("プレイファイルを保存する")), saveTo.startsWith(QStringLiteral("missing")) ? 1 : 0);
        const bool saved = saving && goesOn;
        QCOMPARE(QFile::exists(path(QStringLiteral("game.jpd"))), saved);
        if (!goesOn)
            QCOMPARE(doc().GetModified(), 1);
        if (saved) {
            QCOMPARE(doc().GetModified(), 0);
            QCOMPARE(m_settings->readPath(QStringLiteral("gspath"), {}), path(QStringLiteral("game.jpd")));
        }
    }

    void savingProposesTheGamesNameInAUsableFolder()
    {
        // A home of the test's own, whose documents folder the dialogs fall
        // back on.
        const QByteArray home = qgetenv("HOME");
        const QString testHome = m_dir->filePath(QStringLiteral("home"));
        const QString documents = QDir(testHome).filePath(QStringLiteral("Documents"));
        QVERIFY(QDir().mkpath(documents));
        qputenv("HOME", QFile::encodeName(testHome));
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), documents);

        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        // Nothing chosen yet: not the program's folder but the documents,
        // with the puzzle's name as a play file.
        m_frame->action(kCmdSavePlayFile)->trigger();
        QCOMPARE(m_chooser.asked.last(), QStringLiteral("save Play Data Files (*.jpd) %1/sample.jpd").arg(documents));
        m_frame->action(kCmdOpenPlayFile)->trigger();
        QCOMPARE(m_chooser.asked.last(), QStringLiteral("open Play Data Files (*.jpd) %1").arg(documents));

        // A remembered folder that is gone is passed over.
        m_settings->writePath(QStringLiteral("gspath"), m_dir->filePath(QStringLiteral("gone/old.jpd")));
        m_frame->action(kCmdSavePlayFile)->trigger();
        QCOMPARE(m_chooser.asked.last(), QStringLiteral("save Play Data Files (*.jpd) %1/sample.jpd").arg(documents));

        // Saved, the game is named after its play file, in the title and in
        // the next save dialog, which starts where it was saved.
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("evening.jpd"));
        m_frame->action(kCmdSavePlayFile)->trigger();
        QVERIFY(QFile::exists(m_chooser.nextSave));
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("evening.jpd")));
        m_chooser.nextSave.clear();
        m_frame->action(kCmdSavePlayFile)->trigger();
        QCOMPARE(m_chooser.asked.last(),
                 QStringLiteral("save Play Data Files (*.jpd) %1").arg(m_dir->filePath(QStringLiteral("evening.jpd"))));
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("evening.jpd")));
    }

    // A command that ends a carry, even one cancelled in its dialog, and
    // every game read end the choice of groups on the board.
    void commandsAndNewGamesEndTheChoice()
    {
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        GroupMatrix& chosen = doc().Selected();
        chosen[0][0] = 1;
        m_frame->action(kCmdSavePlayFile)->trigger();
        QVERIFY(chosen == GroupMatrix{});
        chosen[0][0] = 1;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        QVERIFY(chosen == GroupMatrix{});
    }

    // A file opens as what it is, whichever command or the command line
    // opened it; one that cannot be opened or saved is told in the user's
    // words (named once, by its name, as what it is, the technical detail
    // behind the details button) and leaves the game open untouched.
    void filesOpenAsWhatTheyAre_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("command");  // 0: the command line
        QTest::addColumn<QString>("opened");  // "puzzle", "game", or empty when told
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("detail");
        const int line = 0;
        const int puzzle = kCmdOpenPuzzle;
        const int game = kCmdOpenPlayFile;
        QTest::newRow("game, puzzle command") << "game.jpd" << puzzle << "game" << "" << "";
        QTest::newRow("puzzle, game command") << "sample.jzt" << game << "puzzle" << "" << "";
        QTest::newRow("game named as a puzzle, command line") << "game.jzt" << line << "game" << "" << "";
        QTest::newRow("cut puzzle, puzzle command") << "cut.jzt" << puzzle << "" << "はパズルファイルですが、途中で切れています" << "バイト";
        QTest::newRow("cut puzzle, game command") << "cut.jzt" << game << "" << "はパズルファイル" << "";
        QTest::newRow("cut game, puzzle command") << "cut.jpd" << puzzle << "" << "はプレイファイル" << "";
        QTest::newRow("cut puzzle, no extension") << "cut puzzle" << line << "" << "はパズルファイル" << "";
        QTest::newRow("cut game, no extension") << "cut game" << puzzle << "" << "はプレイファイル" << "";
        QTest::newRow("text") << "notes.txt" << puzzle << "" << "はパズルファイルでもプレイファイルでもありません" << "6400";
        QTest::newRow("JPEG as a puzzle") << "photo.jpg" << puzzle << "" << "は画像ファイルです" << "パズルファイル";
        QTest::newRow("BMP as a game") << "photo.bmp" << game << "" << "は画像ファイルです" << "プレイファイル";
        QTest::newRow("lying game") << "lie.jpd" << game << "" << "はプレイファイルではないか、壊れています" << "経過時間";
        QTest::newRow("garbage named as a game, command line") << "notes.jpd" << line << ""
                                                               << "はプレイファイルではないか、壊れています" << "";
        QTest::newRow("save into a file") << "notes.txt/game.jpd" << int{kCmdSavePlayFile} << ""
                                          << "に保存できませんでした" << "notes.txt/game.jpd";
    }
    void filesOpenAsWhatTheyAre()
    {
        QFETCH(QString, file);
        QFETCH(int, command);
        QFETCH(QString, opened);
        QFETCH(QString, said);
        QFETCH(QString, detail);
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        placeOnBoard(doc(), 5, 2, 100, 100);
        const QString game = path(QStringLiteral("game.jpd"));
        SavePlayFile(doc(), game.toStdString(), m_clock);
        const auto writeFile = [this](const QString& name, const QByteArray& bytes) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        };
        writeFile(QStringLiteral("notes.txt"), "A shopping list, not a puzzle.\n");
        writeFile(QStringLiteral("notes.jpd"), QByteArray(7000, 'x'));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path(QStringLiteral("photo.jpg"))) && picture.save(path(QStringLiteral("photo.bmp"))));
        for (const auto& [from, to] : {std::pair{m_puzzlePath, "cut.jzt"}, std::pair{m_puzzlePath, "cut puzzle"},
                                       std::pair{game, "cut.jpd"}, std::pair{game, "cut game"}, std::pair{game, "game.jzt"}})
            QVERIFY(QFile::copy(from, path(QString::fromUtf8(to))));
        QVERIFY(QFile(path(QStringLiteral("cut.jzt"))).resize(7000) && QFile(path(QStringLiteral("cut puzzle"))).resize(7000));
        for (const char* cutGame : {"cut.jpd", "cut game"}) {
            QFile f(path(QString::fromUtf8(cutGame)));
            QVERIFY(f.resize(f.size() - 100));
        }
        // A play file whose playing time is out of range.
        const QString lie = path(QStringLiteral("lie.jpd"));
        QVERIFY(QFile::copy(game, lie));
        QFile lying(lie);
        QVERIFY(lying.open(QIODevice::ReadWrite) && lying.seek(static_cast<qint64>(kPlayElapsedOffset)));
        lying.write("\xFF");
        lying.close();
        // The game open differs from every file.
        placeOnBoard(doc(), 7, 1, 300, 100);
        doc().SetModified(0);
        const CVorpelDoc before = doc();

        answers.clear();
        m_chooser.nextOpen = m_chooser.nextSave = path(file);
        if (command == 0)
            m_frame->openFromCommandLine(path(file));
        else
            m_frame->action(command)->trigger();
        const QString name = file.section(QLatin1Char('/'), -1);
        const QString title = gameTitle(QStringLiteral("%1"));
        if (!opened.isEmpty()) {
            QCOMPARE(answers.titles, QStringList{QStringLiteral("添付メッセージ")});
            QCOMPARE(doc().GetOnBoard(5), opened == QStringLiteral("game") ? 1 : 0);
            QCOMPARE(doc().GetOnBoard(7), 0);
            QCOMPARE(m_frame->windowTitle(), gameTitle(name));
            return;
        }
        QCOMPARE(answers.texts.size(), 1);
        const QString shown = answers.texts.front();
        QVERIFY2(shown.startsWith(QStringLiteral("「%1」%2").arg(name, said)), qPrintable(shown));
        QCOMPARE(shown.count(name), 1);
        QVERIFY2(!shown.contains(m_dir->path()), qPrintable(shown));
        QVERIFY2(answers.details.front().contains(detail), qPrintable(answers.details.front()));
        QVERIFY(doc() == before);
        QCOMPARE(m_frame->windowTitle(), gameTitle(QStringLiteral("sample.jzt")));
    }

    // F6 and Shift+F6 take the keyboard focus from the board to the tray and
    // back.
    void f6MovesTheFocusBetweenThePanes()
    {
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->board()->setFocus();
        for (const Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ShiftModifier}) {
            const bool onBoard = m_frame->board()->hasFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, modifier);
            QVERIFY(m_frame->tray()->hasFocus() == onBoard);
            QVERIFY(m_frame->board()->hasFocus() != onBoard);
        }
    }

    void smallPuzzlesShowTheirProgress()
    {
        CutProgress progress(m_frame.get());
        progress.update(0, 12);
        auto* dialog = m_frame->findChild<QProgressDialog*>();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isModal());
        progress.finish();
        QVERIFY(m_frame->findChild<QProgressDialog*>() == nullptr);

        const QString small = m_dir->filePath(QStringLiteral("small.jzt"));
        jigsaw::writeJztFile(small.toStdString(),
                             samplePuzzle(kSize12, jigsaw::DataFormat::Small, jigsaw::ColorFormat::Indexed));
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(small));
        QCOMPARE(doc().GetSheetFormat(), 2);
        QVERIFY(m_frame->findChild<QProgressDialog*>() == nullptr);
    }

    void commandLineArguments()
    {
        using A = VorpelCommandLine::Action;
        QCOMPARE(parseVorpelCommandLine({}).action, A::Run);
        QCOMPARE(parseVorpelCommandLine({QStringLiteral("a.jzt")}).file, QStringLiteral("a.jzt"));
        QCOMPARE(parseVorpelCommandLine({QStringLiteral("--"), QStringLiteral("-x.jzt")}).file,
                 QStringLiteral("-x.jzt"));
        QCOMPARE(parseVorpelCommandLine({QStringLiteral("--help")}).action, A::Help);
        QCOMPARE(parseVorpelCommandLine({QStringLiteral("--bogus")}).action, A::Error);
        QCOMPARE(parseVorpelCommandLine({QStringLiteral("a"), QStringLiteral("b")}).action, A::Error);
        QCOMPARE(withPlayFileExtension(QStringLiteral("/x/game")), QStringLiteral("/x/game.jpd"));
        QCOMPARE(withPlayFileExtension(QStringLiteral("/x/game.JPD")), QStringLiteral("/x/game.JPD"));
        QCOMPARE(anyCaseFilter(QStringLiteral("Play Data Files (*.jpd)")),
                 QStringLiteral("Play Data Files (*.[jJ][pP][dD])"));
    }

private:
    QString m_puzzlePath;
};

QTEST_MAIN(VorpelGuiTest)
#include "vorpel_gui_test.moc"
