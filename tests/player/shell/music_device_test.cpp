#include "bgm_tracks.h"
#include "sdl_music_device.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

// The real music device on SDL's disk driver, which writes the mixed 16-bit
// stereo output to a file. With a pause of 1 ms per buffer of 23 ms it renders
// far faster than real time, so the waits count written samples, not seconds;
// their time limits only bound a machine that is busy with other work.
// Without a General MIDI sound font the test reports itself skipped.
class MusicDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir.filePath(QStringLiteral("output.raw"))));
        qputenv("SDL_DISKAUDIODELAY", "1");
    }

    void playsATrackAndReportsHowItEnded()
    {
        SdlMusicDevice device;
        const QString missing = m_dir.filePath(QStringLiteral("none.mid"));
        QVERIFY(device.open(missing).contains(missing));
        const std::vector<std::uint8_t> bytes = jigsaw::BgmTrack(1);
        const QByteArray track(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        const QString truncated = writeFile(QStringLiteral("cut.mid"), track.chopped(1));
        QCOMPARE(device.open(truncated), QStringLiteral("「cut.mid」は MIDI ファイルではないか、壊れています。"));
        QVERIFY(!device.play([](MusicEnd) {}).isEmpty());

        if (SdlMusicDevice::soundFont().isEmpty())
            QSKIP("No General MIDI sound font is installed (package timgm6mb-soundfont).");
        QCOMPARE(device.open(writeFile(QStringLiteral("BGM01.mid"), track)), QString());
        std::vector<MusicEnd> ends;
        QCOMPARE(device.play([&ends](MusicEnd end) { ends.push_back(end); }), QString());
        // The track's first ten seconds are written, and they are not silent.
        constexpr std::size_t kTenSeconds = 10 * 44100 * 2;
        QTRY_VERIFY_WITH_TIMEOUT(output().size() >= kTenSeconds, 60000);
        const std::vector<qint16> heard = output();
        QVERIFY(std::any_of(heard.begin(), heard.begin() + kTenSeconds, [](qint16 s) { return s > 500 || s < -500; }));

        // A stop is reported as an interruption, never as the piece's end.
        device.stop();
        QTRY_COMPARE_WITH_TIMEOUT(ends.size(), std::size_t{1}, 60000);
        QCOMPARE(ends.front(), MusicEnd::Interrupted);

        // Half a second of one note plays to its end.
        const QByteArray note = QByteArray("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x0c", 22) +
                                QByteArray("\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 12);
        QCOMPARE(device.open(writeFile(QStringLiteral("note.mid"), note)), QString());
        QCOMPARE(device.play([&ends](MusicEnd end) { ends.push_back(end); }), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ends.size(), std::size_t{2}, 60000);
        QCOMPARE(ends.back(), MusicEnd::Finished);
        device.close();
    }

private:
    std::vector<qint16> output() const
    {
        QFile file(m_dir.filePath(QStringLiteral("output.raw")));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        std::vector<qint16> samples(static_cast<std::size_t>(bytes.size()) / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        return samples;
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return file.fileName();
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(MusicDeviceTest)
#include "music_device_test.moc"
