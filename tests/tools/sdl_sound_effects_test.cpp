#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <thread>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "sdl_sound_effects.h"

namespace {

using namespace std::chrono_literals;
using Samples = std::vector<std::int16_t>;

// Plays the effects, one right after another, through a new player on SDL's
// disk driver, which writes the mixed 16-bit stereo output to a file. With a
// pause of 1 ms per buffer of 23 ms the driver renders far faster than real
// time, so the wait is for the number of samples, not for the clock. Returns the first
// `seconds` of output; fails the test when they were not written. `first`,
// when given, is done with the player before the effects are played.
Samples record(const QStringList& folders, std::initializer_list<SoundEffect> effects, double seconds,
               const std::function<void(SdlSoundEffects&)>& first = {})
{
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("output.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path));
    qputenv("SDL_DISKAUDIODELAY", "1");
    const auto wanted = static_cast<std::size_t>(seconds * 44100) * 2;
    Samples samples;
    {
        SdlSoundEffects sounds(folders);
        if (first)
            first(sounds);
        for (const SoundEffect effect : effects)
            sounds.play(effect);
        QFile file(path);
        const auto giveUp = std::chrono::steady_clock::now() + 20s;
        while (QFileInfo(path).size() < static_cast<qint64>(2 * wanted) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(5ms);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(static_cast<qint64>(2 * wanted));
            samples.resize(static_cast<std::size_t>(bytes.size()) / 2);
            // memcpy must not be given an empty vector's null pointer.
            if (!samples.empty())
                std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        }
    }
    qputenv("SDL_AUDIODRIVER", "dummy");
    EXPECT_EQ(samples.size(), wanted) << "the player wrote " << seconds << " s of output";
    return samples;
}

int loudest(const Samples& samples)
{
    int peak = 0;
    for (const std::int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// Seconds from the first sound heard to the last.
double secondsHeard(const Samples& samples)
{
    const auto first = std::ranges::find_if(samples, [](std::int16_t s) { return s != 0; });
    const auto last = std::find_if(samples.rbegin(), samples.rend(), [](std::int16_t s) { return s != 0; });
    return first == samples.end() ? 0.0 : static_cast<double>(last.base() - first) / (2 * 44100.0);
}

// The files made by the build.
const QString kBuilt = QStringLiteral(BUILT_SOUNDS_DIR);

}  // namespace

TEST(SdlSoundEffects, EachSoundIsHeardAndANewOneCutsTheLast)
{
    for (const SoundEffect effect : {SoundEffect::Join, SoundEffect::Complete, SoundEffect::FlyBack}) {
        SCOPED_TRACE(soundFileName(effect));
        EXPECT_GT(loudest(record({kBuilt}, {effect}, 2.0)), 1000);
    }
    // The chord alone lasts about a second; cut by the click at once, only
    // the click's 80 ms remain (give or take a mixer buffer).
    EXPECT_GT(secondsHeard(record({kBuilt}, {SoundEffect::Complete}, 3.0)), 0.9);
    EXPECT_LT(secondsHeard(record({kBuilt}, {SoundEffect::Complete, SoundEffect::Join}, 1.5)), 0.2);
}

TEST(SdlSoundEffects, MissingOrBrokenFilesStaySilentAndLaterFoldersAreSearched)
{
    const auto all = {SoundEffect::Join, SoundEffect::Complete, SoundEffect::FlyBack};
    QTemporaryDir empty;
    EXPECT_EQ(loudest(record({empty.path()}, all, 1.0)), 0);

    // Only "on.wav", and broken, in the first folder; all three in the second.
    QTemporaryDir broken;
    QFile junk(broken.filePath(QStringLiteral("on.wav")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("RIFF\xff\xff\xff\xffWAVEfmt garbage");
    junk.close();
    EXPECT_EQ(loudest(record({broken.path()}, all, 1.0)), 0);
    EXPECT_GT(loudest(record({broken.path(), kBuilt}, {SoundEffect::Join}, 2.0)), 1000);

    // Only the files present sound.
    QTemporaryDir onlyJoin;
    ASSERT_TRUE(QFile::copy(kBuilt + QStringLiteral("/on.wav"), onlyJoin.filePath(QStringLiteral("on.wav"))));
    EXPECT_EQ(loudest(record({onlyJoin.path()}, {SoundEffect::FlyBack, SoundEffect::Complete}, 1.0)), 0);
    EXPECT_GT(loudest(record({onlyJoin.path()}, {SoundEffect::FlyBack, SoundEffect::Join}, 2.0)), 1000);
}

// Without a device nothing sounds and nothing fails. A second player shares
// the device, plays in quick succession with the first, and closes first:
// the first is still heard.
TEST(SdlSoundEffects, QuickSuccessionSharingAndNoDeviceNeverFail)
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    EXPECT_NO_THROW(SdlSoundEffects({kBuilt}).play(SoundEffect::Join));
    const Samples heard = record({kBuilt}, {SoundEffect::Join}, 2.0, [](SdlSoundEffects& first) {
        first.play(SoundEffect::FlyBack);
        SdlSoundEffects second({kBuilt});
        for (int i = 0; i < 50; ++i) {
            first.play(SoundEffect::Join);
            second.play(SoundEffect::Complete);
            first.play(SoundEffect::FlyBack);
        }
    });
    EXPECT_GT(loudest(heard), 1000);
}
