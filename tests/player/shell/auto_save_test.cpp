#include "atomic_file.h"
#include "board_thumbnail.h"
#include "auto_save.h"
#include "elapsed_window.h"
#include "board_view.h"
#include "command_ids.h"
#include "file_commands.h"
#include "file_path.h"
#include "format_error.h"
#include "main_frame.h"
#include "play_file.h"
#include "play_rules.h"
#include "game_store.h"
#include "shell_test_support.h"
#include "signal_exit.h"
#include "tool_windows.h"
#include "tray_view.h"
#include "unfinished_games.h"
#include "vorpel_gui.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// A disk that can be made slow (a write waits until it is let go) or
// failing (a write throws what `failure` throws); it counts the writes of
// each kind of file.
class TestDisk {
public:
    std::atomic<int> recordWrites{0};
    std::atomic<int> pictureWrites{0};
    std::atomic<int> failuresLeft{0};
    std::function<void()> failure = [] { throw jigsaw::FormatError(jigsaw::ErrorCode::FileWriteFailed, {"x", "disk full"}); };

    CopyWriter writer()
    {
        return [this](const std::filesystem::path& path, std::span<const std::span<const std::uint8_t>> parts) {
            ++(path.extension() == ".game" ? recordWrites : pictureWrites);
            {
                std::unique_lock lock(m_mutex);
                // Never longer than a test may take, so that a failure shows.
                m_changed.wait_for(lock, std::chrono::seconds(60), [this] { return !m_slow; });
            }
            if (failuresLeft > 0) {
                --failuresLeft;
                failure();
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

// The pieces out of the tray in a game's record, the play file's fixed
// blocks being its last part; -1 without a record.
int piecesOutOf(const QString& record)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(file.size() - static_cast<qint64>(kPlayFixedSize) + 16))
        return -1;
    const QByteArray pair = file.read(2);
    return pair.size() < 2 ? -1 : static_cast<std::uint8_t>(pair[0]) + 255 * static_cast<std::uint8_t>(pair[1]);
}

// Answers the list of unfinished games with the button `button`, a
// question after it with `answer`, and notes how many games each list held.
class ListAnswerer {
public:
    ListAnswerer(QString button, QString answer = {}) : m_button(std::move(button)), m_answer(std::move(answer))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* list = qobject_cast<UnfinishedGamesDialog*>(modal)) {
                // The button once, then, when the list stays open, close.
                counts << list->gameCount();
                click(list, list == m_last ? QStringLiteral("閉じる(&C)") : m_button);
                m_last = list;
            } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !click(dialog, m_answer)) {
                dialog->accept();
            }
        });
        m_timer.start(5);
    }
    QList<int> counts;

private:
    static bool click(QWidget* dialog, const QString& text)
    {
        for (auto* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == text) {
                // Later, so that a dialog it opens meets this timer again.
                QTimer::singleShot(0, button, &QAbstractButton::click);
                return true;
            }
        return false;
    }
    QString m_button;
    QString m_answer;
    QWidget* m_last = nullptr;
    QTimer m_timer;
};

}  // namespace

// The automatic copies of the games on the real frame:
// when they are written, that a slow or failing disk never holds up play and
// a failure is shown, what the end of a game or of the program leaves, and
// the list of unfinished games.
class AutoSaveTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void init()
    {
        openFolder(QRect(0, 0, 900, 700), 600);
        m_state = path(QStringLiteral("state"));
        m_disk = std::make_unique<TestDisk>();
    }
    void cleanup()
    {
        m_disk->setSlow(false);
        m_player.reset();
        closeFolder();
    }

    // While a copy is being written the board goes on: moves are made, the
    // next copy is put off, and it is written once the disk is back. The
    // pictures are written once per game; a clock that alone moved is
    // written once a minute.
    void slowDiskNeverHoldsUpPlay()
    {
        startPlayer();
        m_disk->setSlow(true);
        handOver(0, QPoint(120, 120));
        m_player->autoSave->look();
        QTRY_COMPARE(m_disk->pictureWrites.load(), 1);
        QVERIFY(m_player->autoSave->isWriting());
        QVERIFY(m_player->frame.isEnabled() && QApplication::activeModalWidget() == nullptr);

        handOver(1, QPoint(300, 120));
        handOver(2, QPoint(120, 300));
        QCOMPARE(playerDoc().GetPiecesOut(), 3);
        lookLater(AutoSave::kIntervalMs + 1000);
        QCOMPARE(m_disk->recordWrites.load(), 0);

        QSignalSpy ended(m_player->autoSave.get(), &AutoSave::writeEnded);
        m_disk->setSlow(false);
        QVERIFY(ended.wait(10000));
        QCOMPARE(piecesOutOf(record()), 1);
        lookLater(0);
        QVERIFY(ended.wait(10000));
        QCOMPARE(piecesOutOf(record()), 3);
        lookLater(AutoSave::kIntervalMs);
        QCOMPARE(m_disk->recordWrites.load(), 2);
        lookLater(AutoSave::kClockIntervalMs);
        QVERIFY(ended.wait(10000));
        QCOMPARE(m_disk->recordWrites.load(), 3);
        QCOMPARE(m_disk->pictureWrites.load(), 1);
    }

    // Whatever makes a copy fail, the player goes on and says so in the
    // title and the elapsed-time window, the reason in the tooltip, until a
    // copy is written again.
    void failingCopyIsShownUntilTheNextGoodOne_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << 0 << QStringLiteral("disk full");
        QTest::newRow("any exception") << 1 << QStringLiteral("odd");
        QTest::newRow("not even an exception") << 2 << QString();
        QTest::newRow("unstorable place") << 3 << QString();
    }
    void failingCopyIsShownUntilTheNextGoodOne()
    {
        QFETCH(int, kind);
        QFETCH(QString, reason);
        startPlayer();
        QSignalSpy ended(m_player->autoSave.get(), &AutoSave::writeEnded);
        if (kind == 1)
            m_disk->failure = [] { throw std::runtime_error("odd"); };
        if (kind == 2)
            m_disk->failure = [] { throw 1; };
        m_disk->failuresLeft = kind == 3 ? 0 : 1;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("自動保存に失敗しました")));
        handOver(0, QPoint(120, 120));
        RECT& piece = playerDoc().PieceRect()[0][0];
        const RECT kept = piece;
        if (kind == 3)
            piece = RECT{70000, 0, 70000 + playerDoc().PieceSize(), playerDoc().PieceSize()};
        lookLater(0);
        QTRY_VERIFY(m_player->frame.windowTitle().endsWith(QStringLiteral("% 自動保存できません")));
        // Shown in the elapsed-time window also when it opens afterwards.
        m_player->frame.action(kCmdToggleElapsed)->trigger();
        QLabel* notice = m_player->frame.toolWindows().elapsed()->autoSaveFailureLabel();
        QVERIFY(notice->isVisible());
        QVERIFY(!notice->toolTip().isEmpty());
        QVERIFY(notice->toolTip().contains(reason));
        piece = kept;
        lookLater(AutoSave::kIntervalMs);
        QTRY_VERIFY(!notice->isVisible());
        QVERIFY(m_player->frame.windowTitle().endsWith(QStringLiteral("%")));
        QCOMPARE(piecesOutOf(record()), 1);
    }

    // Closing: a game the user declined to save stays listed, written there
    // and then; a game saved at the prompt, or finished, leaves none.
    void closingKeepsOnlyADeclinedGame()
    {
        for (const QString& answer : {QStringLiteral("いいえ"), QStringLiteral("はい")}) {
            startPlayer();
            handOver(0, QPoint(120, 120));
            lookLater(0);
            QTRY_COMPARE(piecesOutOf(record()), 1);
            const QString first = record();
            handOver(1, QPoint(300, 120));
            m_chooser.nextSave = m_dir->filePath(QStringLiteral("closed.jpd"));
            DialogAnswerer answers(answer);
            QVERIFY(m_player->frame.close());
            QCOMPARE(answers.count(QStringLiteral("データの変更を保存する")), 1);
            m_player.reset();
            QCOMPARE(piecesOutOf(first), answer == QStringLiteral("いいえ") ? 2 : -1);
            QCOMPARE(QDir(m_state).entryList(QDir::Files | QDir::Hidden).size(), answer == QStringLiteral("いいえ") ? 3 : 0);
            QDir(m_state).removeRecursively();
        }
        startPlayer();
        handOver(0, QPoint(120, 120));
        lookLater(0);
        QTRY_COMPARE(piecesOutOf(record()), 1);
        playerDoc().SetCompleted(1);
        lookLater(0);
        QTRY_COMPARE(piecesOutOf(record()), -1);
    }

    // One copy per game, kept until the user lets it go: a game open in one
    // player is not listed in another; a killed game stays listed while other
    // games are opened; resumed, it is the same copy; deleted, after a
    // question, it is gone.
    void gamesAreListedUntilLetGo()
    {
        startPlayer();
        handOver(0, QPoint(120, 120));
        handOver(1, QPoint(300, 120));
        lookLater(0);
        QTRY_COMPARE(piecesOutOf(record()), 2);
        const QString id = m_player->autoSave->gameId();
        auto second = std::make_unique<Player>(*this);
        QVERIFY(second->store.list().empty());

        m_player->kill();
        {
            DialogAnswerer message;
            QVERIFY(second->frame.files().loadPuzzle(QStringLiteral(SAMPLE_PUZZLE)));
        }
        second->autoSave->look();
        std::vector<UnfinishedGame> games = second->store.list();
        QCOMPARE(games.size(), std::size_t{1});
        QCOMPARE(games[0].id, id);
        QCOMPARE(games[0].summary.name, QStringLiteral("sample.jzt"));
        QVERIFY(!games[0].summary.thumbnail.isNull());
        QVERIFY(games[0].bytesOnDisk > static_cast<qint64>(kPlayFixedSize));

        {
            ListAnswerer answers(QStringLiteral("再開(&R)"));
            runUnfinishedGames(second->frame, second->store, *second->autoSave, true);
            QCOMPARE(answers.counts, QList<int>{1});
        }
        QCOMPARE(second->frame.document().GetPiecesOut(), 2);
        QCOMPARE(second->frame.document().GetModified(), 1);
        QVERIFY(second->frame.windowTitle().startsWith(QStringLiteral("sample.jzt - ")));
        QCOMPARE(second->autoSave->gameId(), id);
        // The resumed game is its copy as stored: nothing is written before
        // it changes.
        second->autoSave->look();
        QVERIFY(!second->autoSave->isWriting());
        auto third = std::make_unique<Player>(*this);
        QVERIFY(third->store.list().empty());

        second->kill();
        for (const QString& answer : {QStringLiteral("削除しない"), QStringLiteral("削除する")}) {
            ListAnswerer answers(QStringLiteral("削除(&D)…"), answer);
            third->frame.action(kCmdUnfinishedGames)->trigger();
            QCOMPARE(answers.counts, (QList<int>{1, answer == QStringLiteral("削除する") ? 0 : 1}));
        }
        QVERIFY(QDir(m_state).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // The copy an earlier release left is listed under its name and resumes.
    void oldCopiesAreTakenOver()
    {
        startPlayer();
        handOver(0, QPoint(120, 120));
        const QString old = m_state + QStringLiteral("/123-4.jpd");
        SavePlayFile(playerDoc(), toFilesystemPath(old), m_clock);
        QFile name(old + QStringLiteral(".name"));
        QVERIFY(name.open(QIODevice::WriteOnly) && name.write("old.jzt") == 7);
        name.close();
        m_player->store.takeOverOldCopies();
        const std::vector<UnfinishedGame> games = m_player->store.list();
        QCOMPARE(games.size(), std::size_t{1});
        QCOMPARE(games[0].summary.name, QStringLiteral("old.jzt"));
        QVERIFY(!QFile::exists(old));
        DialogAnswerer message;
        QVERIFY(m_player->frame.resumeCopy(m_player->store, games[0].id, games[0].summary.name));
        QCOMPARE(playerDoc().GetPiecesOut(), 1);
    }

    // No copy is written while a piece is carried, held on the board or
    // taken from the tray: it would not be a whole game. The copy follows
    // once the piece is put down.
    void noCopyWhileCarrying()
    {
        for (const auto carry : {&CVorpelDoc::SetHolding, &CVorpelDoc::SetTrayDrag}) {
            startPlayer();
            handOver(0, QPoint(120, 120));
            (playerDoc().*carry)(1);
            lookLater(0);
            QVERIFY(!m_player->autoSave->isWriting());
            QCOMPARE(m_disk->recordWrites.load(), 0);
            (playerDoc().*carry)(0);
            lookLater(AutoSave::kIntervalMs);
            QTRY_COMPARE(piecesOutOf(record()), 1);
            m_disk->recordWrites = 0;
        }
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
    // One player: its frame, the folder of games and its copier.
    struct Player {
        explicit Player(AutoSaveTest& t)
            : frame(*t.m_settings, t.m_clock, t.m_random, t.m_sounds, t.m_chooser),
              store(t.m_state),
              autoSave(std::make_unique<AutoSave>(frame.document(), t.m_clock, store, t.m_disk->writer(),
                                                  [this] { return boardThumbnail(frame.document(), frame.images()); }))
        {
            connectAutoSave(frame, store, *autoSave);
            frame.show();
        }
        // Ends as a killed player would: no last copy, the locks dropped.
        void kill() { autoSave.reset(); }
        CMainFrame frame;
        GameStore store;
        std::unique_ptr<AutoSave> autoSave;
    };

    void startPlayer()
    {
        m_player = std::make_unique<Player>(*this);
        QVERIFY(m_player->store.ok());
        QVERIFY(QTest::qWaitForWindowExposed(&m_player->frame));
        DialogAnswerer message;
        QVERIFY(m_player->frame.files().loadPuzzle(QStringLiteral(SAMPLE_PUZZLE)));
    }

    // A look at the game `ms` after the clock's last tick.
    void lookLater(std::uint64_t ms)
    {
        m_clock.tick += ms;
        m_player->autoSave->look();
    }

    CVorpelDoc& playerDoc() { return m_player->frame.document(); }
    QString record() const { return m_player->store.recordFile(m_player->autoSave->gameId()); }

    // Hands a piece from the tray to the board, as a drop there would.
    void handOver(int piece, QPoint place)
    {
        placeOnBoard(playerDoc(), piece, 1, place.x(), place.y());
        playerDoc().SetModified(1);
    }

    QString m_state;
    std::unique_ptr<TestDisk> m_disk;
    std::unique_ptr<Player> m_player;
};

QTEST_MAIN(AutoSaveTest)
#include "auto_save_test.moc"
