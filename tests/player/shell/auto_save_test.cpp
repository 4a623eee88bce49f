#include "atomic_file.h"
#include "auto_save.h"
#include "auto_save_folder.h"
#include "board_view.h"
#include "command_ids.h"
#include "file_commands.h"
#include "format_error.h"
#include "main_frame.h"
#include "play_rules.h"
#include "recovery_prompt.h"
#include "shell_test_support.h"
#include "signal_exit.h"
#include "tray_view.h"
#include "views_test_support.h"
#include "vorpel_settings.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// A disk that can be made slow (a write waits until it is let go) or
// failing (a write throws), for the copies only; names are written at once.
class TestDisk {
public:
    std::atomic<int> copyWrites{0};
    std::atomic<int> failuresLeft{0};

    CopyWriter writer()
    {
        return [this](const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts) {
            if (path.extension() == ".jpd") {
                ++copyWrites;
                std::unique_lock lock(m_mutex);
                // Never longer than a test may take, so that a failure shows.
                m_changed.wait_for(lock, std::chrono::seconds(60), [this] { return !m_slow; });
                if (failuresLeft > 0) {
                    --failuresLeft;
                    throw jigsaw::FormatError(jigsaw::ErrorCode::FileWriteFailed, {path.string(), "disk full"});
                }
            }
            jigsaw::writeFileAtomically(path, parts);
        };
    }
    void setSlow(bool slow)
    {
        {
            std::lock_guard lock(m_mutex);
            m_slow = slow;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_slow = false;
};

int piecesOutOf(const QString& copy)
{
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(18);
    return head.size() < 18 ? -1 : static_cast<std::uint8_t>(head[16]) + 255 * static_cast<std::uint8_t>(head[17]);
}

}  // namespace

// The automatic copy of the game on the real frame, moved with the mouse: when
// it is written, that a slow or failing disk never holds up play, what the
// end of a game or of the program leaves, and the offer to resume it.
class AutoSaveTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<VorpelSettings>(m_dir->filePath(QStringLiteral("vorpel.ini")));
        m_settings->writeRect(QStringLiteral("rg"), QRect(0, 0, 900, 700));
        m_settings->writeInt(QStringLiteral("FlDx"), 600);
        m_state = m_dir->filePath(QStringLiteral("state"));
        m_disk.copyWrites = 0;
        m_disk.failuresLeft = 0;
    }
    void cleanup()
    {
        m_disk.setSlow(false);
        m_player.reset();
        m_dir.reset();
    }

    // While a copy is being written the board goes on: moves are made, the
    // next copy is put off, and it is written once the disk is back.
    void slowDiskNeverHoldsUpPlay()
    {
        startPlayer();
        m_disk.setSlow(true);
        dropFromTray(0, QPoint(120, 120));
        m_player->autoSave->look();
        QTRY_COMPARE(m_disk.copyWrites.load(), 1);
        QVERIFY(m_player->autoSave->isWriting());

        dropFromTray(1, QPoint(300, 120));
        dropFromTray(2, QPoint(120, 300));
        QCOMPARE(doc().GetPiecesOut(), 3);
        m_clock.tick += AutoSave::kIntervalMs + 1000;
        m_player->autoSave->look();
        QCOMPARE(m_disk.copyWrites.load(), 1);

        QSignalSpy ended(m_player->autoSave.get(), &AutoSave::writeEnded);
        m_disk.setSlow(false);
        QVERIFY(ended.wait(10000));
        QCOMPARE(piecesOutOf(copy()), 1);
        m_player->autoSave->look();
        QVERIFY(ended.wait(10000));
        QCOMPARE(m_disk.copyWrites.load(), 2);
        QCOMPARE(piecesOutOf(copy()), 3);
        QCOMPARE(AutoSaveFolder::readName(copy()), QStringLiteral("sample.jzt"));
    }

    // A failed write says nothing on screen and is tried again at the next
    // copy that is due; a piece being carried is never written.
    void failingDiskIsTriedAgainQuietly()
    {
        startPlayer();
        DialogAnswerer answers;
        m_disk.failuresLeft = 2;
        QSignalSpy ended(m_player->autoSave.get(), &AutoSave::writeEnded);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("自動保存に失敗しました.*disk full")));
        dropFromTray(0, QPoint(120, 120));
        m_player->autoSave->look();
        QVERIFY(ended.wait(10000));
        QCOMPARE(ended.last().at(0).toBool(), false);
        m_player->autoSave->look();
        QCOMPARE(m_disk.copyWrites.load(), 1);
        m_clock.tick += AutoSave::kIntervalMs;
        m_player->autoSave->look();
        QVERIFY(ended.wait(10000));
        QCOMPARE(ended.last().at(0).toBool(), false);

        // Held on the board: no copy until it is put down.
        m_clock.tick += AutoSave::kIntervalMs;
        QWidget* tray = m_player->frame.tray()->viewport();
        const QPoint inTray = slotCentre(1);
        mouse(tray, QEvent::MouseButtonPress, tray->mapToGlobal(inTray), Qt::LeftButton, Qt::LeftButton);
        mouse(tray, QEvent::MouseMove, tray->mapToGlobal(inTray) + QPoint(-200, 0), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(doc().GetTrayDrag(), 1);
        m_player->autoSave->look();
        QCOMPARE(m_disk.copyWrites.load(), 2);
        mouse(tray, QEvent::MouseButtonRelease, tray->mapToGlobal(inTray) + QPoint(-200, 0), Qt::LeftButton,
              Qt::NoButton);
        m_player->autoSave->look();
        QVERIFY(ended.wait(10000));
        QCOMPARE(ended.last().at(0).toBool(), true);
        QCOMPARE(piecesOutOf(copy()), 2);
        QVERIFY(answers.titles.isEmpty());

        // Saved by hand: the copy goes; finished: likewise.
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("saved.jpd"));
        m_player->frame.action(kCmdSavePlayFile)->trigger();
        m_player->autoSave->look();
        QTRY_VERIFY(!QFile::exists(copy()));
        dropFromTray(2, QPoint(300, 300));
        m_clock.tick += AutoSave::kIntervalMs;
        m_player->autoSave->look();
        QTRY_VERIFY(QFile::exists(copy()));
        doc().SetCompleted(1);
        m_player->autoSave->look();
        QTRY_VERIFY(!QFile::exists(copy()));
        QTRY_VERIFY(!QFile::exists(AutoSaveFolder::nameFileOf(copy())));
    }

    // Closing: a game the user declined to save is kept in its copy, written
    // there and then; a game saved at the prompt leaves none.
    void closingKeepsOnlyADeclinedGame()
    {
        for (const QString& answer : {QStringLiteral("いいえ"), QStringLiteral("はい")}) {
            startPlayer();
            dropFromTray(0, QPoint(120, 120));
            m_player->autoSave->look();
            QTRY_COMPARE(piecesOutOf(copy()), 1);
            dropFromTray(1, QPoint(300, 120));
            m_chooser.nextSave = m_dir->filePath(QStringLiteral("closed.jpd"));
            DialogAnswerer answers(answer);
            QVERIFY(m_player->frame.close());
            QCOMPARE(answers.count(QStringLiteral("データの変更を保存する")), 1);
            if (answer == QStringLiteral("いいえ"))
                QCOMPARE(piecesOutOf(copy()), 2);
            else
                QVERIFY(!QFile::exists(copy()));
            m_player.reset();
            QDir(m_state).removeRecursively();
        }
    }

    // Each player writes its own copy and offers only those of players that
    // are gone, the newest readable one first; "はい" resumes it, marked as
    // changed, "いいえ" keeps it aside until the next game.
    void copiesOfPlayersThatAreGoneAreOffered()
    {
        startPlayer();
        dropFromTray(0, QPoint(120, 120));
        dropFromTray(1, QPoint(300, 120));
        m_player->autoSave->look();
        QTRY_VERIFY(QFile::exists(copy()));
        QTRY_VERIFY(!m_player->autoSave->isWriting());
        const QString first = copy();

        // A second player while the first runs: nothing to offer, and its
        // copy would go elsewhere.
        auto second = std::make_unique<Player>(*this);
        QCOMPARE(second->folder->orphanCopies(), QStringList());
        QVERIFY(second->folder->currentCopy() != first);

        // The first is killed: its copy stays, its lock file too, unheld. An
        // unreadable copy from elsewhere is newer still.
        m_player->kill();
        const QString lock = QString(first).replace(QStringLiteral(".jpd"), QStringLiteral(".lock"));
        QVERIFY(QFile(lock).open(QIODevice::WriteOnly));
        QFile junk(m_state + QStringLiteral("/88888-1.jpd"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a game");
        QVERIFY(junk.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        junk.close();

        {
            DialogAnswerer answers(QStringLiteral("はい"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("「88888-1.jpd」を読めない")));
            QVERIFY(offerRecovery(second->frame, *second->folder, *second->autoSave));
            QCOMPARE(answers.titles.value(0), QStringLiteral("ゲームの再開"));
            QCOMPARE(answers.texts.value(0), QStringLiteral("前回のゲームを再開しますか？"));
        }
        CVorpelDoc& resumed = second->frame.document();
        QCOMPARE(resumed.GetPiecesOut(), 2);
        QCOMPARE(resumed.GetModified(), 1);
        QVERIFY(second->frame.windowTitle().startsWith(QStringLiteral("sample.jzt - ")));
        QCOMPARE(piecesOutOf(second->folder->currentCopy()), 2);
        QVERIFY(!QFile::exists(first));
        QVERIFY(!QFile::exists(lock));
        QVERIFY(QFile::exists(junk.fileName()));

        // The second is killed too; a third declines its game, which stays
        // aside until the third starts a game of its own.
        second->kill();
        auto third = std::make_unique<Player>(*this);
        {
            DialogAnswerer answers(QStringLiteral("いいえ"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("を読めない")));
            QVERIFY(!offerRecovery(third->frame, *third->folder, *third->autoSave));
            QCOMPARE(answers.count(QStringLiteral("ゲームの再開")), 1);
        }
        QCOMPARE(piecesOutOf(third->folder->asideCopy()), 2);
        QCOMPARE(third->frame.document().GetPlayable(), 0);
        {
            DialogAnswerer message;
            QVERIFY(third->frame.files().loadPuzzle(QStringLiteral(SAMPLE_PUZZLE)));
        }
        QTRY_VERIFY(!QFile::exists(third->folder->asideCopy()));
    }

    // SIGINT, SIGTERM and SIGHUP reach the program on its event loop, once:
    // afterwards the default handlers are back, so that a second signal ends
    // a program that hangs.
    void signalsArriveOnTheEventLoop()
    {
        int calls = 0;
        {
            SignalExit exit([&calls] { ++calls; });
            QVERIFY(!exit.received());
            std::raise(SIGINT);
            QCOMPARE(calls, 0);
            QTRY_COMPARE(calls, 1);
            QVERIFY(exit.received());
            for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
                struct sigaction current = {};
                QCOMPARE(::sigaction(signal, nullptr, &current), 0);
                QVERIFY(current.sa_handler == SIG_DFL);
            }
        }
    }

private:
    // One player: its frame, its place among the copies and its copier.
    struct Player {
        explicit Player(AutoSaveTest& t)
            : frame(*t.m_settings, t.m_clock, t.m_random, t.m_sounds, t.m_chooser),
              folder(std::make_unique<AutoSaveFolder>(t.m_state)),
              autoSave(std::make_unique<AutoSave>(frame.document(), t.m_clock, *folder, t.m_disk.writer()))
        {
            QObject::connect(&frame, &CMainFrame::gameStarted, autoSave.get(), &AutoSave::gameStarted);
            QObject::connect(&frame, &CMainFrame::closing, autoSave.get(), &AutoSave::finish);
            frame.show();
        }
        // Ends as a killed player would: no last copy, the lock dropped.
        void kill()
        {
            autoSave.reset();
            folder.reset();
        }
        CMainFrame frame;
        std::unique_ptr<AutoSaveFolder> folder;
        std::unique_ptr<AutoSave> autoSave;
    };

    void startPlayer()
    {
        m_player = std::make_unique<Player>(*this);
        QVERIFY(m_player->folder->ok());
        QVERIFY(QTest::qWaitForWindowExposed(&m_player->frame));
        DialogAnswerer message;
        QVERIFY(m_player->frame.files().loadPuzzle(QStringLiteral(SAMPLE_PUZZLE)));
    }

    CVorpelDoc& doc() { return m_player->frame.document(); }
    QString copy() const { return m_player->folder->currentCopy(); }

    static void mouse(QWidget* receiver, QEvent::Type type, QPoint global, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(receiver, &event);
    }

    QPoint slotCentre(int slot)
    {
        const int s = doc().PieceSize();
        const POINT cell = TraySlotOrigin(doc(), slot);
        QScrollBar* bar = m_player->frame.tray()->verticalScrollBar();
        bar->setValue(cell.y);
        return QPoint(cell.x + s / 2, cell.y - bar->value() + s / 2);
    }

    // Drags the piece of a tray slot onto the board, its centre at `place`.
    void dropFromTray(int slot, QPoint place)
    {
        const int before = doc().GetPiecesOut();
        QWidget* tray = m_player->frame.tray()->viewport();
        QWidget* board = m_player->frame.board()->viewport();
        const QPoint from = tray->mapToGlobal(slotCentre(slot));
        const QPoint to = board->mapToGlobal(place);
        mouse(tray, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(tray, QEvent::MouseMove, to + QPoint(-40, 10), Qt::NoButton, Qt::LeftButton);
        mouse(tray, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(tray, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(doc().GetPiecesOut(), before + 1);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    QString m_state;
    FakeClock m_clock;
    MtRandom m_random;
    RecordingSounds m_sounds;
    ScriptedChooser m_chooser;
    TestDisk m_disk;
    std::unique_ptr<Player> m_player;
};

QTEST_MAIN(AutoSaveTest)
#include "auto_save_test.moc"
