#include "background_music.h"
#include "bgm_tracks.h"
#include "command_ids.h"
#include "dialog_folder.h"
#include "midi_data.h"
#include "sdl_music_device.h"
#include "shell_test_support.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Records what the frame asks of the device. Ends of plays wait
// until deliver(), as they wait in the event loop for a real device.
class FakeMusicDevice final : public MusicDevice {
public:
    QStringList log;
    QString openError;
    QString playError;
    bool isOpen = false;

    QString open(const QString& path) override
    {
        log << QStringLiteral("open ") + QFileInfo(path).fileName();
        if (isOpen)
            log << QStringLiteral("OPEN WHILE OPEN");
        if (!openError.isEmpty())
            return openError;
        isOpen = true;
        return {};
    }
    QString play(EndHandler onEnd) override
    {
        log << QStringLiteral("play");
        interrupt();
        if (!playError.isEmpty())
            return playError;
        m_playing = std::move(onEnd);
        return {};
    }
    void stop() override
    {
        log << QStringLiteral("stop");
        interrupt();
    }
    void close() override
    {
        log << QStringLiteral("close");
        m_pending.clear();
        m_playing = nullptr;
        isOpen = false;
    }

    // The piece playing reaches its end.
    void reachEnd()
    {
        if (m_playing)
            m_pending.emplace_back(std::exchange(m_playing, nullptr), MusicEnd::Finished);
    }
    void deliver()
    {
        for (auto& [onEnd, end] : std::exchange(m_pending, {}))
            onEnd(end);
    }
    // What was asked since the last look, in order, separated by commas.
    QString takeLog() { return std::exchange(log, {}).join(QStringLiteral(", ")); }

private:
    void interrupt()
    {
        if (m_playing)
            m_pending.emplace_back(std::exchange(m_playing, nullptr), MusicEnd::Interrupted);
    }
    EndHandler m_playing;
    std::vector<std::pair<EndHandler, MusicEnd>> m_pending;
};

// "O" (開く), "P" (演奏), "S" (停止), then the tracks: "k" when enabled,
// "[k]" when checked, "-" when disabled.
template <class Enabled, class Checked>
QString commandState(Enabled enabled, Checked checked)
{
    QString out;
    for (const auto& [id, name] : {std::pair{int(kCmdBgmOpen), 'O'}, std::pair{int(kCmdBgmPlay), 'P'},
                                   std::pair{int(kCmdBgmStop), 'S'}})
        out += enabled(id) ? QString(QLatin1Char(name)) : QString();
    out += QLatin1Char(' ');
    for (int track = 1; track <= 5; ++track) {
        const int id = BackgroundMusic::commandOfTrack(track);
        out += checked(id)   ? QStringLiteral("[%1]").arg(track)
               : enabled(id) ? QString::number(track)
                             : QStringLiteral("-");
    }
    return out;
}

QString commandState(const BackgroundMusic& music)
{
    return commandState([&](int id) { return music.isCommandEnabled(id); },
                        [&](int id) { return music.isCommandChecked(id); });
}

QString commandState(const CMainFrame& frame)
{
    return commandState([&](int id) { return frame.action(id)->isEnabled(); },
                        [&](int id) { return frame.action(id)->isChecked(); });
}

}  // namespace

class MusicTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void init()
    {
        m_music.reset();
        openFolder();
        m_device = FakeMusicDevice();
        m_errors.clear();
        m_missing.clear();
        m_doc = std::make_unique<CVorpelDoc>();
        m_music = std::make_unique<BackgroundMusic>(
            *m_doc, m_device, [this](const QString& text) { m_errors << text; },
            [this](const QString& name) {
                return m_missing.contains(name) ? QString() : m_dir->filePath(name);
            });
    }

    void tracksLoopUntilStoppedAndReplayFromTheStart()
    {
        QCOMPARE(commandState(*m_music), QStringLiteral("O 12345"));

        m_music->playTrack(3);
        QCOMPARE(m_device.takeLog(), QStringLiteral("open BGM03.mid, play"));
        QCOMPARE(m_doc->GetBgmTrack(), 3);
        QCOMPARE(commandState(*m_music), QStringLiteral("OPS 12[3]45"));

        // Each end starts the piece again.
        for (int i = 0; i < 3; ++i) {
            m_device.reachEnd();
            m_device.deliver();
        }
        QCOMPARE(m_device.takeLog(), QStringLiteral("play, play, play"));

        // Stopped, it stays silent, and the device stays open for 演奏.
        m_music->stop();
        m_device.deliver();
        QCOMPARE(m_device.takeLog(), QStringLiteral("stop"));
        QCOMPARE(m_doc->GetBgmTrack(), 0);
        QVERIFY(m_music->isOpen());
        QCOMPARE(commandState(*m_music), QStringLiteral("OP 12345"));

        // 演奏 plays the open piece from the start as "track 1".
        m_music->replay();
        QCOMPARE(m_device.takeLog(), QStringLiteral("play"));
        QCOMPARE(m_doc->GetBgmTrack(), 1);
        QCOMPARE(commandState(*m_music), QStringLiteral("S -2[3]45"));

        // Another track closes the device first; the ends of the old plays
        // are gone with it.
        m_device.reachEnd();
        m_music->playTrack(5);
        m_device.deliver();
        QCOMPARE(m_device.takeLog(), QStringLiteral("close, open BGM05.mid, play"));
        QCOMPARE(commandState(*m_music), QStringLiteral("OPS 1234[5]"));

        // A play superseded by 演奏 does not start again.
        m_music->replay();
        m_device.deliver();
        QCOMPARE(m_device.takeLog(), QStringLiteral("play"));
        QCOMPARE(commandState(*m_music), QStringLiteral("S -234[5]"));

        m_music.reset();
        QVERIFY(m_device.takeLog().endsWith(QStringLiteral("close")));
        QVERIFY(!m_device.isOpen);
    }

    void userFilesAndFailures()
    {
        ScriptedChooser chooser;
        m_music->chooseAndPlay(chooser, nullptr);
        QVERIFY(m_device.takeLog().isEmpty());
        // Before any file, the dialog starts in the user's music folder.
        QCOMPARE(chooser.asked, QStringList{QStringLiteral("open ") +
                                            anyCaseFilter(QStringLiteral(
                                                "MIDIﾌｧｲﾙ (*.RMI *.MID *.rmi *.mid);;すべてのﾌｧｲﾙ (*)")) +
                                            QLatin1Char(' ') +
                                            dialogStartFolder({}, DialogUse::Open, QStandardPaths::MusicLocation)});

        chooser.nextOpen = m_dir->filePath(QStringLiteral("song.mid"));
        m_music->chooseAndPlay(chooser, nullptr);
        QCOMPARE(m_device.takeLog(), QStringLiteral("open song.mid, play"));
        QCOMPARE(m_doc->GetBgmTrack(), 1);
        QCOMPARE(commandState(*m_music), QStringLiteral("S -2345"));
        m_music->stop();
        QCOMPARE(commandState(*m_music), QStringLiteral("OP 12345"));
        QCOMPARE(m_device.takeLog(), QStringLiteral("stop"));

        // A second file: the first is closed before it opens; the dialog
        // starts in the folder of the last one.
        chooser.nextOpen = m_dir->filePath(QStringLiteral("other.MID"));
        m_music->replay();
        m_device.reachEnd();
        m_music->chooseAndPlay(chooser, nullptr);
        m_device.deliver();
        QCOMPARE(m_device.takeLog(), QStringLiteral("play, close, open other.MID, play"));
        QVERIFY(chooser.asked.last().endsWith(QLatin1Char(' ') + QFileInfo(m_dir->path()).absoluteFilePath()));

        // A failed open while the user's file plays reports the device's
        // text and leaves nothing open and the music silent, so that 開く
        // and every track can be chosen again.
        m_device.openError = QStringLiteral("壊れています");
        m_music->playTrack(2);
        QCOMPARE(m_errors, QStringList{QStringLiteral("壊れています")});
        QCOMPARE(m_device.takeLog(), QStringLiteral("close, open BGM02.mid"));
        QVERIFY(!m_music->isOpen());
        QCOMPARE(m_doc->GetBgmTrack(), 0);
        QCOMPARE(commandState(*m_music), QStringLiteral("O 12345"));
        m_music->replay();
        QVERIFY(m_device.takeLog().isEmpty());
        chooser.nextOpen = m_dir->filePath(QStringLiteral("bad.mid"));
        m_music->chooseAndPlay(chooser, nullptr);
        QCOMPARE(m_device.takeLog(), QStringLiteral("open bad.mid"));
        QCOMPARE(commandState(*m_music), QStringLiteral("O 12345"));

        // A missing track is an open error naming the file.
        m_device.openError.clear();
        m_missing = {QStringLiteral("BGM04.mid")};
        m_music->playTrack(4);
        QVERIFY(m_device.takeLog().isEmpty());
        QCOMPARE(m_errors.size(), 3);
        QVERIFY(m_errors.last().contains(QStringLiteral("BGM04.mid")));

        // A play error is reported, and the track is still taken as playing.
        m_device.playError = QStringLiteral("鳴りません");
        m_music->playTrack(2);
        QCOMPARE(m_errors.last(), QStringLiteral("鳴りません"));
        QVERIFY(m_music->isOpen());
        QCOMPARE(m_doc->GetBgmTrack(), 2);
    }

    void frameMenusFollowTheMusic()
    {
        ScriptedChooser& chooser = m_chooser;
        auto frame = std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, chooser, m_device);

        QCOMPARE(commandState(*frame), QStringLiteral("O 12345"));
        chooser.nextOpen = m_dir->filePath(QStringLiteral("song.mid"));
        frame->action(kCmdBgmOpen)->trigger();
        QCOMPARE(frame->document().GetBgmTrack(), 1);
        QCOMPARE(commandState(*frame), QStringLiteral("S -2345"));
        frame->action(kCmdBgmStop)->trigger();
        QCOMPARE(commandState(*frame), QStringLiteral("OP 12345"));
        frame->action(kCmdBgmPlay)->trigger();
        QCOMPARE(commandState(*frame), QStringLiteral("S -2345"));
        QCOMPARE(m_device.takeLog(), QStringLiteral("open song.mid, play, stop, play"));

        // No built-in track lies beside the tests: the message names it, and
        // the device is left closed.
        {
            DialogAnswerer answers;
            frame->action(kCmdBgmTrack3)->trigger();
            QCOMPARE(answers.titles, QStringList{QStringLiteral("BGM")});
            QVERIFY(answers.texts.value(0).contains(QStringLiteral("BGM03.mid")));
        }
        // With no device the music is silent, and every command that needs
        // no open device works.
        QCOMPARE(commandState(*frame), QStringLiteral("O 12345"));
        QCOMPARE(m_device.takeLog(), QStringLiteral("close"));

        // The frame closes the device when it goes.
        frame = std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, chooser, m_device);
        frame->action(kCmdBgmOpen)->trigger();
        frame.reset();
        QCOMPARE(m_device.takeLog(), QStringLiteral("open song.mid, play, close"));
    }

    void midiFilesAreCheckedWhole()
    {
        const QByteArray smf = bgmTrack();
        QCOMPARE(standardMidiFile(smf), smf);
        QCOMPARE(standardMidiFile(smf + QByteArray(3, '\0')), smf + QByteArray(3, '\0'));

        // A RIFF MIDI file carries the same bytes in its "data" chunk, after
        // other chunks, padded to an even length.
        QByteArray rmi = QByteArray("RIFF") + le32(4 + 10 + 8 + smf.size()) + "RMID" + "LIST" + le32(1) + "x" +
                         QByteArray(1, '\0') + "data" + le32(smf.size()) + smf;
        QCOMPARE(standardMidiFile(rmi), smf);

        // Anything cut short, a header alone, another RIFF file, lengths that
        // do not fit.
        QByteArray shortHeader = smf;
        shortHeader[7] = 5;
        QByteArray hugeTrack = smf;
        hugeTrack.replace(18, 4, QByteArray(4, '\xff'));
        for (const QByteArray& bad : {rmi.chopped(1), smf.chopped(1), smf.left(14), QByteArray(),
                                      QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20), shortHeader, hugeTrack})
            QVERIFY(standardMidiFile(bad).isEmpty());
    }

private:
    static QByteArray bgmTrack()
    {
        const std::vector<std::uint8_t> track = jigsaw::BgmTrack(1);
        return QByteArray(reinterpret_cast<const char*>(track.data()), static_cast<qsizetype>(track.size()));
    }
    static QByteArray le32(qsizetype v)
    {
        const quint32 bytes = qToLittleEndian(static_cast<quint32>(v));
        return QByteArray(reinterpret_cast<const char*>(&bytes), 4);
    }

    FakeMusicDevice m_device;
    QStringList m_errors;
    QStringList m_missing;
    std::unique_ptr<CVorpelDoc> m_doc;
    std::unique_ptr<BackgroundMusic> m_music;
};

QTEST_MAIN(MusicTest)
#include "music_test.moc"
