#include "board_view.h"
#include "command_ids.h"
#include "command_line.h"
#include "cut_progress.h"
#include "document_test_support.h"
#include "file_chooser.h"
#include "file_commands.h"
#include "jzt_file.h"
#include "main_frame.h"
#include "message_dialog.h"
#include "play_file.h"
#include "shell_test_support.h"
#include "vorpel_settings.h"
#include "views_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <utility>

namespace {

// The entries of a menu as one list: texts, "—" for separators, and the
// entries of submenus after their title, indented.
QStringList entries(const QMenu* menu, const QString& indent = QString())
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << indent + QStringLiteral("—");
            continue;
        }
        out << indent + a->text();
        if (a->menu() != nullptr)
            out << entries(a->menu(), indent + QStringLiteral("  "));
    }
    return out;
}

}  // namespace

class VorpelGuiTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<VorpelSettings>(m_dir->filePath(QStringLiteral("vorpel.ini")));
        m_chooser.nextOpen.clear();
        m_chooser.nextSave.clear();
        m_chooser.asked.clear();
        m_frame = newFrame();
        m_puzzlePath = m_dir->filePath(QStringLiteral("sample.jzt"));
        jigsaw::writeJztFile(m_puzzlePath.toStdString(),
                             samplePuzzle(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor));
    }
    void cleanup()
    {
        m_frame.reset();
        m_settings.reset();
        m_dir.reset();
    }

    void firstStartUsesDefaults()
    {
        m_frame->show();
        // The default rectangle at (0, 0) would put the window's frame (the
        // offscreen platform draws one of 2 pixels) off the screen: the
        // window is moved in just far enough.
        QCOMPARE(m_frame->pos(), QPoint(0, 0));
        QCOMPARE(m_frame->size(), QSize(640, 480));
        QCOMPARE(m_frame->board()->width(), 470);
        QCOMPARE(m_frame->minimumSize(), QSize(640, 480));
        m_frame->resize(300, 200);
        QCOMPARE(m_frame->size(), QSize(640, 480));
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("パソコンで楽しむジグソーパズル"));
    }

    void windowAndSplitterSurviveARestart()
    {
        m_frame->show();
        m_frame->setGeometry(30, 40, 700, 500);
        const QList<int> sizes = m_frame->splitter()->sizes();
        m_frame->splitter()->setSizes({300, sizes[0] + sizes[1] - 300});
        QVERIFY(m_frame->close());
        const QSettings ini(m_settings->path(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Vorpel_Section/rgright")).toInt(), 730);
        QCOMPARE(ini.value(QStringLiteral("Vorpel_Section/FlDx")).toInt(), 300);
        QVERIFY(!ini.contains(QStringLiteral("Vorpel_Section/rpleft")));
        QVERIFY(!ini.contains(QStringLiteral("Vorpel_Section/rtleft")));

        m_frame = newFrame();
        m_frame->show();
        QCOMPARE(m_frame->geometry(), QRect(30, 40, 700, 500));
        QCOMPARE(m_frame->board()->width(), 300);

        // Shown again, the window goes back to the stored rectangle.
        m_frame->move(100, 100);
        m_frame->hide();
        m_frame->show();
        QCOMPARE(m_frame->geometry().topLeft(), QPoint(30, 40));

        // A board wider than the window's first layout still gets its width.
        QVERIFY(m_frame->close());
        QSettings(m_settings->path(), QSettings::IniFormat).setValue(QStringLiteral("Vorpel_Section/FlDx"), 700);
        QSettings(m_settings->path(), QSettings::IniFormat).setValue(QStringLiteral("Vorpel_Section/rgright"), 1030);
        m_frame = newFrame();
        m_frame->show();
        QCOMPARE(m_frame->board()->width(), 700);
    }

    void menusCarryTheirTexts()
    {
        const QStringList expected = {
            QStringLiteral("ﾌｧｲﾙ(&F)"),
            QStringLiteral("  パズルファイルを開く(&V)"), QStringLiteral("  —"),
            QStringLiteral("  プレイファイルを開く(&W)"), QStringLiteral("  プレイファイルを保存する(&S)"),
            QStringLiteral("  未完成のゲーム(&G)…"), QStringLiteral("  記録(&R)…"), QStringLiteral("  —"),
            QStringLiteral("  一時停止(&P)"), QStringLiteral("  —"), QStringLiteral("  終了(&X)"),
            QStringLiteral("編集(&E)"), QStringLiteral("  整 列(&L)"), QStringLiteral("  辺を先に整列(&E)"),
            QStringLiteral("  ピースの上下入れ替え(U)"),
            QStringLiteral("表 示(&T)"), QStringLiteral("  プレビュー (&P)"), QStringLiteral("  経　　　過(&K)"),
            QStringLiteral("  —"), QStringLiteral("  拡大(&I)"), QStringLiteral("  縮小(&U)"),
            QStringLiteral("  実寸表示(&A)"), QStringLiteral("  全体を表示(&W)"),
            QStringLiteral("  —"), QStringLiteral("  ピースを集める(&G)"), QStringLiteral("  ピースを並べる(&S)"),
            QStringLiteral("オプション(&O)"), QStringLiteral("  BGM           (&G)"), QStringLiteral("    開く"),
            QStringLiteral("    演奏"), QStringLiteral("    停止"), QStringLiteral("    —"),
            QStringLiteral("    曲1 オルゴールのワルツ"), QStringLiteral("    曲2 午後のボサノバ"),
            QStringLiteral("    曲3 草原のパストラール"), QStringLiteral("    曲4 夜のラウンジ"),
            QStringLiteral("    曲5 星の子守歌"), QStringLiteral("  —"),
            QStringLiteral("  添付メッセージ（&I）"), QStringLiteral("  黒ピース(&B)"), QStringLiteral("    通常表示"),
            QStringLiteral("    未完成ピースを黒"), QStringLiteral("  —"), QStringLiteral("  テーブルの色(&C)"),
            QStringLiteral("    緑(&G)"), QStringLiteral("    青(&B)"), QStringLiteral("    茶(&R)"),
            QStringLiteral("    灰(&A)"), QStringLiteral("    黒(&K)"), QStringLiteral("    —"),
            QStringLiteral("    その他の色(&M)…"), QStringLiteral("  下絵を表示(&P)"),
            QStringLiteral("ヘルプ(&H)"), QStringLiteral("  ヘルプ(&H)"), QStringLiteral("  —"),
            QStringLiteral("  ﾊﾞｰｼﾞｮﾝ情報(&A)..."),
        };
        QStringList actual;
        for (const QAction* a : m_frame->menuBar()->actions()) {
            actual << a->text();
            actual << entries(a->menu(), QStringLiteral("  "));
        }
        QCOMPARE(actual, expected);

        // The context menu wears its own texts while open, from the same actions.
        QMenu* context = m_frame->contextMenu();
        emit context->aboutToShow();
        const QStringList contextEntries = entries(context);
        emit context->aboutToHide();
        QCOMPARE(contextEntries.mid(0, 9),
                 (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("  パズルファイルを開く(&P)"),
                              QStringLiteral("  —"), QStringLiteral("  プレイファイルを開く(&O)"),
                              QStringLiteral("  プレイファイルを保存する(&S)"), QStringLiteral("  —"),
                              QStringLiteral("  一時停止(&A)"), QStringLiteral("  —"), QStringLiteral("  終了(&X)")}));
        QCOMPARE(contextEntries.mid(9),
                 (QStringList{QStringLiteral("—"), QStringLiteral("編集(&E)"), QStringLiteral("  整  列(&L)"),
                              QStringLiteral("  辺を先に整列(&E)"), QStringLiteral("  ピースの上下入れ替え(U)"), QStringLiteral("表 示(&T)"),
                              QStringLiteral("  プレビュー (&P)"), QStringLiteral("  経　　　過(&K)"),
                              QStringLiteral("  —"), QStringLiteral("  拡大(&I)"), QStringLiteral("  縮小(&U)"),
                              QStringLiteral("  実寸表示(&A)"), QStringLiteral("  全体を表示(&W)"),
                              QStringLiteral("  —"), QStringLiteral("  ピースを集める(&G)"), QStringLiteral("  ピースを並べる(&S)"),
                              QStringLiteral("—"), QStringLiteral("オプション(&O)"), QStringLiteral("  BGM      (&G)"),
                              QStringLiteral("    開く"), QStringLiteral("    演奏"), QStringLiteral("    停止"),
                              QStringLiteral("    —"), QStringLiteral("    曲1 オルゴールのワルツ"),
                              QStringLiteral("    曲2 午後のボサノバ"), QStringLiteral("    曲3 草原のパストラール"),
                              QStringLiteral("    曲4 夜のラウンジ"), QStringLiteral("    曲5 星の子守歌"),
                              QStringLiteral("  —"), QStringLiteral("  添付メッセージ（&I）"), QStringLiteral("—"),
                              QStringLiteral("ヘルプ(&H)"), QStringLiteral("  ﾊﾞｰｼﾞｮﾝ情報(&A)...")}));
        QCOMPARE(m_frame->action(kCmdOpenPuzzle)->text(), QStringLiteral("パズルファイルを開く(&V)"));
        QCOMPARE(m_frame->action(kCmdOpenPuzzle)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(m_frame->action(kCmdPause)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)}));
    }

    // The table colour chosen in the options is painted, and it and the
    // faint picture come back after a restart.
    void tableLookSurvivesARestart()
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
        option(QStringLiteral("茶(&R)"))->trigger();
        option(QStringLiteral("下絵を表示(&P)"))->trigger();
        QCOMPARE(tableShown(), brown);
        QVERIFY(m_frame->close());

        m_frame = newFrame();
        m_frame->show();
        QCOMPARE(tableShown(), brown);
        QVERIFY(option(QStringLiteral("茶(&R)"))->isChecked() && !option(QStringLiteral("緑(&G)"))->isChecked());
        QVERIFY(option(QStringLiteral("下絵を表示(&P)"))->isChecked());
    }

    // The zoom commands step through the levels, stop at the ends, and the
    // zoom comes back after a restart.
    void zoomCommandsAndTheirSetting()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        CVorpelView* board = m_frame->board();
        QCOMPARE(board->zoomPercent(), 100);
        QCOMPARE(m_frame->action(kCmdZoomIn)->shortcut(), QKeySequence(QStringLiteral("Ctrl++")));
        QCOMPARE(m_frame->action(kCmdZoomOut)->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
        QCOMPARE(m_frame->action(kCmdZoomActualSize)->shortcut(), QKeySequence(QStringLiteral("Ctrl+1")));
        QCOMPARE(m_frame->action(kCmdZoomToFit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
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
        QVERIFY(m_frame->close());
        const QSettings ini(m_settings->path(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Vorpel_Section/Zoom")).toInt(), 50);

        m_frame = newFrame();
        m_frame->show();
        QCOMPARE(m_frame->board()->zoomPercent(), 50);
        QVERIFY(m_frame->close());
        QSettings(m_settings->path(), QSettings::IniFormat).setValue(QStringLiteral("Vorpel_Section/Zoom"), 9999);
        m_frame = newFrame();
        QCOMPARE(m_frame->board()->zoomPercent(), 100);
    }

    // The help page describes every command of the menu bar by its text.
    void helpNamesEveryMenuCommand()
    {
        QFile file(QStringLiteral(HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(file.readAll()).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).simplified();
        QStringList shown;
        for (const QAction* a : m_frame->menuBar()->actions())
            shown << a->text() << entries(a->menu());
        QStringList missing;
        for (const QString& entry : std::as_const(shown)) {
            const QString text = QString(entry).remove(QLatin1Char('&')).simplified();
            if (text != QStringLiteral("—") && !help.contains(text))
                missing << text;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('|'))));
    }

    void commandsFollowTheDocument()
    {
        QVERIFY(!m_frame->action(kCmdSavePlayFile)->isEnabled());
        QVERIFY(m_frame->action(kCmdBgmOpen)->isEnabled());
        QVERIFY(!m_frame->action(kCmdBgmPlay)->isEnabled());
        QVERIFY(!m_frame->action(kCmdBgmStop)->isEnabled());
        QVERIFY(m_frame->action(kCmdBlackNone)->isChecked());

        m_frame->action(kCmdBlackUncompleted)->trigger();
        QCOMPARE(m_frame->document().GetBlackMode(), 2);
        QVERIFY(!m_frame->action(kCmdBlackNone)->isChecked());
        QVERIFY(m_frame->action(kCmdBlackUncompleted)->isChecked());
        // Mode 1, which a play file may hold, draws as the normal mode: it is
        // shown as that, and has no item of its own that would do nothing.
        m_frame->document().SetBlackMode(1);
        m_frame->refreshCommands();
        QVERIFY(m_frame->action(kCmdBlackNone)->isChecked());
        QVERIFY(!m_frame->action(kCmdBlackUncompleted)->isChecked());
        QVERIFY(m_frame->action(32800) == nullptr);
        QCOMPARE(m_frame->document().GetBlackMode(), 1);
        m_frame->action(kCmdBlackUncompleted)->trigger();

        m_frame->action(kCmdTogglePreview)->trigger();
        QCOMPARE(m_frame->document().GetPreviewShown(), 1);
        QVERIFY(m_frame->action(kCmdTogglePreview)->isChecked());
        m_frame->action(kCmdTogglePreview)->trigger();
        QVERIFY(!m_frame->action(kCmdTogglePreview)->isChecked());

        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        QVERIFY(m_frame->action(kCmdSavePlayFile)->isEnabled());
        QCOMPARE(answers.titles, QStringList{QStringLiteral("添付メッセージ")});
        QCOMPARE(answers.texts, QStringList{QStringLiteral("こんにちは\n\nline 3")});
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("sample.jzt - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
    }

    void savePromptGuardsOnlyAChangedUnfinishedGame()
    {
        m_chooser.nextOpen = m_puzzlePath;
        DialogAnswerer answers;
        m_frame->action(kCmdOpenPuzzle)->trigger();
        QCOMPARE(m_frame->document().GetCols(), 3);
        m_frame->action(kCmdOpenPuzzle)->trigger();
        QCOMPARE(answers.count(kPromptTitle), 0);

        m_frame->document().SetModified(1);
        m_frame->action(kCmdOpenPuzzle)->trigger();
        QCOMPARE(answers.count(kPromptTitle), 1);
        QCOMPARE(m_chooser.asked.filter(QStringLiteral("save")).size(), 0);
        QCOMPARE(m_chooser.asked.last(), QStringLiteral("open Puzzle Data Files (*.jzt) %1").arg(m_dir->path()));

        m_frame->document().SetModified(1);
        m_frame->document().SetCompleted(1);
        m_frame->action(kCmdOpenPlayFile)->trigger();
        QCOMPARE(answers.count(kPromptTitle), 1);
    }

    void answeringYesSavesThePlayFile()
    {
        DialogAnswerer answers(QStringLiteral("はい"));
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        m_frame->document().SetModified(1);
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("missing/game.jpd"));
        answers.titles.clear();
        m_frame->action(kCmdSavePlayFile)->trigger();
        QCOMPARE(answers.titles, QStringList{QStringLiteral("プレイファイルを保存する")});
        QCOMPARE(m_frame->document().GetModified(), 1);

        m_chooser.nextSave = m_dir->filePath(QStringLiteral("game"));
        m_frame->show();
        QVERIFY(m_frame->close());
        QCOMPARE(answers.count(kPromptTitle), 1);
        QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("game.jpd"))));
        QCOMPARE(m_frame->document().GetModified(), 0);
        const QSettings ini(m_settings->path(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Vorpel_Section/gspath")).toString(), m_dir->filePath("game.jpd"));
    }

    void aGameThatWasNotSavedKeepsTheWindowOpen()
    {
        {
            DialogAnswerer answers(QStringLiteral("はい"));
            QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
            m_frame->show();
            m_frame->document().SetModified(1);
            // The save dialog cancelled.
            QVERIFY(!m_frame->close());
            QVERIFY(m_frame->isVisible());
            // The file not written.
            m_chooser.nextSave = m_dir->filePath(QStringLiteral("missing/game.jpd"));
            QVERIFY(!m_frame->close());
            QVERIFY(m_frame->isVisible());
            QCOMPARE(answers.count(QStringLiteral("プレイファイルを保存する")), 1);
            // Nor does an open command go on to replace the unsaved game.
            m_chooser.asked.clear();
            m_chooser.nextOpen = m_puzzlePath;
            m_frame->action(kCmdOpenPuzzle)->trigger();
            QCOMPARE(m_chooser.asked.filter(QStringLiteral("open")).size(), 0);
            QCOMPARE(m_frame->document().GetModified(), 1);
        }
        // "いいえ" lets it go.
        DialogAnswerer answers(QStringLiteral("いいえ"));
        QVERIFY(m_frame->close());
        QCOMPARE(answers.count(kPromptTitle), 1);
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
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("evening.jpd - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
        m_chooser.nextSave.clear();
        m_frame->action(kCmdSavePlayFile)->trigger();
        QCOMPARE(m_chooser.asked.last(),
                 QStringLiteral("save Play Data Files (*.jpd) %1").arg(m_dir->filePath(QStringLiteral("evening.jpd"))));
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("evening.jpd - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
    }

    // A command that ends a carry, even one cancelled in its dialog, and
    // every game read end the choice of groups on the board.
    void commandsAndNewGamesEndTheChoice()
    {
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        GroupMatrix& chosen = m_frame->document().Selected();
        chosen[0][0] = 1;
        m_frame->action(kCmdSavePlayFile)->trigger();
        QVERIFY(chosen == GroupMatrix{});
        chosen[0][0] = 1;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        QVERIFY(chosen == GroupMatrix{});
    }

    void theWrongOpenCommandOpensTheFileAsWhatItIs()
    {
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        placeOnBoard(m_frame->document(), 5, 2, 100, 100);
        const QString game = m_dir->filePath(QStringLiteral("game.jpd"));
        FakeClock clock;
        SavePlayFile(m_frame->document(), game.toStdString(), clock);

        // A play file chosen with the puzzle command opens as a play file…
        m_frame = newFrame();
        answers.titles.clear();
        m_chooser.nextOpen = game;
        m_frame->action(kCmdOpenPuzzle)->trigger();
        QCOMPARE(answers.titles, QStringList{QStringLiteral("添付メッセージ")});
        QCOMPARE(m_frame->document().GetOnBoard(5), 1);
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("game.jpd - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
        // … and a puzzle chosen with the play-file command as a puzzle.
        m_chooser.nextOpen = m_puzzlePath;
        m_frame->action(kCmdOpenPlayFile)->trigger();
        QCOMPARE(m_frame->document().GetOnBoard(5), 0);
        QCOMPARE(m_frame->document().GetPlayable(), 1);
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("sample.jzt - パソコンで楽しむジグソーパズル - 0% 表示 100%"));

        // A damaged file is told as what it is: its extension, or without one
        // its content, says so whatever command opened it.
        const auto cut = [&](const QString& from, const QString& name) {
            const QString path = m_dir->filePath(name);
            QFile::copy(from, path);
            QFile file(path);
            file.resize(file.size() - 100);
            return path;
        };
        const struct {
            QString path;
            int command;
            QString reason;
        } damaged[] = {
            {cut(m_puzzlePath, QStringLiteral("cut.jzt")), kCmdOpenPlayFile, QStringLiteral("パズルファイル")},
            {cut(game, QStringLiteral("cut.jpd")), kCmdOpenPuzzle, QStringLiteral("プレイファイル")},
            {cut(m_puzzlePath, QStringLiteral("cut puzzle")), kCmdOpenPlayFile, QStringLiteral("パズルファイル")},
            {cut(game, QStringLiteral("cut game")), kCmdOpenPuzzle, QStringLiteral("プレイファイル")},
        };
        for (const auto& d : damaged) {
            answers.texts.clear();
            m_chooser.nextOpen = d.path;
            m_frame->action(d.command)->trigger();
            m_frame->openFromCommandLine(d.path);
            QCOMPARE(answers.texts.size(), 2);
            for (const QString& text : std::as_const(answers.texts))
                QVERIFY2(text.section(QStringLiteral("」は"), 1).startsWith(d.reason), qPrintable(text));
        }
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("sample.jzt - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
    }

    void badFilesAreReportedAndKeepTheGame()
    {
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        const auto before = std::make_unique<CVorpelDoc>(m_frame->document());

        QFile::copy(m_puzzlePath, m_dir->filePath(QStringLiteral("short.jzt")));
        QFile truncated(m_dir->filePath(QStringLiteral("short.jzt")));
        QVERIFY(truncated.resize(truncated.size() - 100));
        m_chooser.nextOpen = truncated.fileName();
        answers.titles.clear();
        m_frame->action(kCmdOpenPuzzle)->trigger();
        QCOMPARE(answers.titles, QStringList{QStringLiteral("パズルファイルを開く")});
        QVERIFY(m_frame->document() == *before);

        m_chooser.nextOpen = truncated.fileName();
        answers.titles.clear();
        m_frame->action(kCmdOpenPlayFile)->trigger();
        QCOMPARE(answers.titles, QStringList{QStringLiteral("プレイファイルを開く")});
        QVERIFY(m_frame->document() == *before);
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("sample.jzt - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
    }

    // Files that cannot be opened or saved are told in the user's words: the
    // message names the file once, by its name, and says what it is or what
    // to do; the technical detail waits behind the box's details button.
    void filesAreToldInPlainWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("detail");
        QTest::newRow("cut puzzle") << "cut.jzt" << int{kCmdOpenPuzzle} << "はパズルファイルですが、途中で切れています"
                                    << "バイト";
        QTest::newRow("text") << "notes.txt" << int{kCmdOpenPuzzle} << "はパズルファイルでもプレイファイルでもありません"
                              << "6400";
        QTest::newRow("JPEG as a puzzle") << "photo.jpg" << int{kCmdOpenPuzzle} << "は画像ファイルです" << "パズルファイル";
        QTest::newRow("BMP as a game") << "photo.bmp" << int{kCmdOpenPlayFile} << "は画像ファイルです" << "プレイファイル";
        QTest::newRow("lying game") << "lie.jpd" << int{kCmdOpenPlayFile} << "はプレイファイルではないか、壊れています"
                                    << "経過時間";
        QTest::newRow("save into a file") << "notes.txt/game.jpd" << int{kCmdSavePlayFile} << "に保存できませんでした"
                                          << "notes.txt/game.jpd";
    }
    void filesAreToldInPlainWords()
    {
        QFETCH(QString, file);
        QFETCH(int, command);
        QFETCH(QString, said);
        QFETCH(QString, detail);
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(m_puzzlePath));
        const auto path = [this](const QString& name) { return m_dir->filePath(name); };
        QFile text(path(QStringLiteral("notes.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("A shopping list, not a puzzle.\n");
        text.close();
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path(QStringLiteral("photo.jpg"))) && picture.save(path(QStringLiteral("photo.bmp"))));
        QVERIFY(QFile::copy(m_puzzlePath, path(QStringLiteral("cut.jzt"))));
        QVERIFY(QFile(path(QStringLiteral("cut.jzt"))).resize(7000));
        // A play file whose playing time is out of range.
        const QString lie = path(QStringLiteral("lie.jpd"));
        SavePlayFile(m_frame->document(), lie.toStdString(), m_clock);
        QFile game(lie);
        QVERIFY(game.open(QIODevice::ReadWrite) && game.seek(static_cast<qint64>(kPlayElapsedOffset)));
        game.write("\xFF");
        game.close();

        answers.texts.clear();
        answers.details.clear();
        m_chooser.nextOpen = m_chooser.nextSave = path(file);
        m_frame->action(command)->trigger();
        QCOMPARE(answers.texts.size(), 1);
        const QString shown = answers.texts.front();
        const QString name = file.section(QLatin1Char('/'), -1);
        QVERIFY2(shown.startsWith(QStringLiteral("「%1」%2").arg(name, said)), qPrintable(shown));
        QCOMPARE(shown.count(name), 1);
        QVERIFY2(!shown.contains(m_dir->path()), qPrintable(shown));
        QVERIFY2(answers.details.front().contains(detail), qPrintable(answers.details.front()));
    }

    void commandLineFilesOpenByContent()
    {
        DialogAnswerer answers;
        m_frame->openFromCommandLine(m_puzzlePath);
        QCOMPARE(m_frame->document().PieceCount(), 12);
        placeOnBoard(m_frame->document(), 5, 2, 100, 100);
        // A play file under a puzzle's name.
        const QString disguised = m_dir->filePath(QStringLiteral("game.jzt"));
        FakeClock clock;
        SavePlayFile(m_frame->document(), disguised.toStdString(), clock);

        const QString garbage = m_dir->filePath(QStringLiteral("notes.jpd"));
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(7000, 'x'));
        file.close();

        m_frame = newFrame();
        answers.texts.clear();
        m_frame->openFromCommandLine(garbage);
        QCOMPARE(answers.texts.size(), 1);
        const QStringList lines = answers.texts.front().split(QLatin1Char('\n'));
        // Told as the play file its name says it is.
        QCOMPARE(lines.front(), QStringLiteral("「notes.jpd」はプレイファイルではないか、壊れています。"));
        QCOMPARE(m_frame->document().GetPlayable(), 0);
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("パソコンで楽しむジグソーパズル"));

        answers.titles.clear();
        m_frame->openFromCommandLine(disguised);
        QCOMPARE(answers.titles, QStringList{QStringLiteral("添付メッセージ")});
        QCOMPARE(m_frame->document().GetOnBoard(5), 1);
        QCOMPARE(m_frame->document().GetBoardTurn(5), 2);
        QCOMPARE(m_frame->document().GetPlayable(), 1);
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("game.jzt - パソコンで楽しむジグソーパズル - 0% 表示 100%"));
    }

    void smallPuzzlesShowTheirProgress()
    {
        CutProgress progress(m_frame.get());
        progress.update(0, 12);
        auto* dialog = m_frame->findChild<QProgressDialog*>();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->labelText(), QStringLiteral("データ作成中"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("パズルを開く"));
        QVERIFY(dialog->isModal());
        progress.finish();
        QVERIFY(m_frame->findChild<QProgressDialog*>() == nullptr);

        const QString small = m_dir->filePath(QStringLiteral("small.jzt"));
        jigsaw::writeJztFile(small.toStdString(),
                             samplePuzzle(kSize12, jigsaw::DataFormat::Small, jigsaw::ColorFormat::Indexed));
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(small));
        QCOMPARE(m_frame->document().GetSheetFormat(), 2);
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

        QProcess help;
        help.start(QStringLiteral(VORPEL_PATH), {QStringLiteral("--help")});
        QVERIFY(help.waitForFinished(30000));
        QCOMPARE(help.exitCode(), 0);
        QCOMPARE(help.readAllStandardOutput().count('\n'), 1);
        QProcess bad;
        bad.start(QStringLiteral(VORPEL_PATH), {QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                                QStringLiteral("--bogus")});
        QVERIFY(bad.waitForFinished(30000));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(QString::fromUtf8(bad.readAllStandardError()).contains(QStringLiteral("vorpel: 不明なオプション --bogus")));
    }

private:
    const QString kPromptTitle = QStringLiteral("データの変更を保存する");

    std::unique_ptr<CMainFrame> newFrame()
    {
        m_frame.reset();
        return std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, m_chooser);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    FakeClock m_clock;
    MtRandom m_random;
    RecordingSounds m_sounds;
    ScriptedChooser m_chooser;
    QString m_puzzlePath;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(VorpelGuiTest)
#include "vorpel_gui_test.moc"
