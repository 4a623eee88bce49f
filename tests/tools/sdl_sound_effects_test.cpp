#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <thread>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "sdl_sound_effects.h"

namespace {

using namespace std::chrono_literals;
using Samples = std::vector<std::int16_t>;

// Plays the effects, one right after another, through a new player on SDL's
// disk driver, which writes the mixed 16-bit stereo output to a file in real
// time. Returns what was written after `listen`, or as soon as anything was
// heard when `untilHeard`.
Samples record(const QStringList& folders, std::initializer_list<SoundEffect> effects,
               std::chrono::milliseconds listen, bool untilHeard = false)
{
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("output.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path));
    SdlSoundEffects sounds(folders);
    for (const SoundEffect effect : effects)
        sounds.play(effect);
    const auto deadline = std::chrono::steady_clock::now() + listen;
    Samples samples;
    do {
        std::this_thread::sleep_for(20ms);
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        samples.resize(static_cast<std::size_t>(bytes.size()) / 2);
        // Before the driver's first write there is nothing to copy, and
        // memcpy must not be given the empty vector's null pointer.
        if (!samples.empty())
            std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        if (untilHeard && std::ranges::any_of(samples, [](std::int16_t v) { return v != 0; }))
            break;
    } while (std::chrono::steady_clock::now() < deadline);
    qputenv("SDL_AUDIODRIVER", "dummy");
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
        EXPECT_GT(loudest(record({kBuilt}, {effect}, 5s, true)), 1000);
    }
    // The chord alone lasts about a second; cut by the click at once, only
    // the click's 80 ms remain (give or take a mixer buffer).
    EXPECT_GT(secondsHeard(record({kBuilt}, {SoundEffect::Complete}, 2000ms)), 0.9);
    EXPECT_LT(secondsHeard(record({kBuilt}, {SoundEffect::Complete, SoundEffect::Join}, 1500ms)), 0.2);
}

TEST(SdlSoundEffects, MissingOrBrokenFilesStaySilentAndLaterFoldersAreSearched)
{
    const auto all = {SoundEffect::Join, SoundEffect::Complete, SoundEffect::FlyBack};
    QTemporaryDir empty;
    EXPECT_EQ(loudest(record({empty.path()}, all, 400ms)), 0);

    // Only "on.wav", and broken, in the first folder; all three in the second.
    QTemporaryDir broken;
    QFile junk(broken.filePath(QStringLiteral("on.wav")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("RIFF\xff\xff\xff\xffWAVEfmt garbage");
    junk.close();
    EXPECT_EQ(loudest(record({broken.path()}, all, 400ms)), 0);
    EXPECT_GT(loudest(record({broken.path(), kBuilt}, {SoundEffect::Join}, 5s, true)), 1000);

    // Only the files present sound.
    QTemporaryDir onlyJoin;
    ASSERT_TRUE(QFile::copy(kBuilt + QStringLiteral("/on.wav"), onlyJoin.filePath(QStringLiteral("on.wav"))));
    EXPECT_EQ(loudest(record({onlyJoin.path()}, {SoundEffect::FlyBack, SoundEffect::Complete}, 400ms)), 0);
    EXPECT_GT(loudest(record({onlyJoin.path()}, {SoundEffect::FlyBack, SoundEffect::Join}, 5s, true)), 1000);
}

TEST(SdlSoundEffects, QuickSuccessionSharingAndNoDeviceNeverFail)
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundEffects({kBuilt}).play(SoundEffect::Join);
    qputenv("SDL_AUDIODRIVER", "dummy");
    SdlSoundEffects neverPlayed({kBuilt});
    // Two players share the device; the second closes first.
    SdlSoundEffects first({kBuilt});
    {
        SdlSoundEffects second({kBuilt});
        for (int i = 0; i < 50; ++i) {
            first.play(SoundEffect::Join);
            second.play(SoundEffect::Complete);
            first.play(SoundEffect::FlyBack);
        }
    }
    first.play(SoundEffect::Complete);
}
