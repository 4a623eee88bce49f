#include "sdl_music_device.h"

#include "midi_data.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

// The same settings as the sound effects, so that the two share one device.
constexpr int kFrequency = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkFrames = 1024;
// Far more than any MIDI file needs; keeps a wrong choice from filling memory.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// Where Debian's General MIDI sound-font packages put their fonts.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
};

// The device whose plays the hook reports.
std::atomic<SdlMusicDevice*> s_hooked{nullptr};

QString mixerError()
{
    return QString::fromUtf8(Mix_GetError());
}

}  // namespace

SdlMusicDevice::SdlMusicDevice() = default;

SdlMusicDevice::~SdlMusicDevice()
{
    close();
    if (m_bAudioOpen) {
        SdlMusicDevice* self = this;
        if (s_hooked.compare_exchange_strong(self, nullptr))
            Mix_HookMusicFinished(nullptr);
        Mix_CloseAudio();
    }
    if (m_bSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QString SdlMusicDevice::soundFont()
{
    if (!qEnvironmentVariableIsEmpty("SDL_SOUNDFONTS"))
        return qEnvironmentVariable("SDL_SOUNDFONTS");
    for (const char* path : kSoundFonts) {
        if (QFileInfo::exists(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    }
    return {};
}

QString SdlMusicDevice::open(const QString& path)
{
    close();
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        return QCoreApplication::translate("SdlMusicDevice", "MIDI ファイル「%1」が見つかりません。").arg(path);
    QFile file(path);
    if (file.size() > kMaxFileSize)
        return QCoreApplication::translate("SdlMusicDevice", "「%1」は BGM にするには大きすぎます。").arg(name);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("SdlMusicDevice", "「%1」を開けません（%2）。").arg(name, file.errorString());
    QByteArray data = standardMidiFile(file.readAll());
    if (data.isEmpty())
        return QCoreApplication::translate("SdlMusicDevice", "「%1」は MIDI ファイルではないか、壊れています。").arg(name);

    const QString font = soundFont();
    if (font.isEmpty()) {
        return QCoreApplication::translate("SdlMusicDevice",
                                           "MIDI の音色ファイル（サウンドフォント）が見つからないため、BGM を演奏できません。"
                                           "パッケージ timgm6mb-soundfont をインストールしてください。");
    }
    if (const QString error = openAudio(); !error.isEmpty())
        return error;
    // SDL_mixer reads SDL_SOUNDFONTS itself when it is set.
    if (qEnvironmentVariableIsEmpty("SDL_SOUNDFONTS"))
        Mix_SetSoundFonts(QFile::encodeName(font).constData());
    Mix_Music* music = Mix_LoadMUSType_RW(SDL_RWFromConstMem(data.constData(), static_cast<int>(data.size())),
                                          MUS_MID, SDL_TRUE);
    if (music == nullptr)
        return QCoreApplication::translate("SdlMusicDevice", "「%1」を BGM として開けません（%2）。").arg(name, mixerError());
    m_music = music;
    m_data = std::move(data);
    return {};
}

QString SdlMusicDevice::openAudio()
{
    if (!m_bSubsystem) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return QCoreApplication::translate("SdlMusicDevice", "音声を出力できないため、BGM を演奏できません（%1）。")
                .arg(QString::fromUtf8(SDL_GetError()));
        m_bSubsystem = true;
    }
    if (!m_bAudioOpen) {
        // When the sound effects have opened the device already, asking for
        // the settings it has only adds a reference; others would reopen it.
        int frequency = kFrequency;
        Uint16 format = MIX_DEFAULT_FORMAT;
        int channels = kOutputChannels;
        Mix_QuerySpec(&frequency, &format, &channels);
        if (Mix_OpenAudio(frequency, format, channels, kChunkFrames) != 0)
            return QCoreApplication::translate("SdlMusicDevice", "音声を出力できないため、BGM を演奏できません（%1）。").arg(mixerError());
        m_bAudioOpen = true;
        s_hooked.store(this);
        Mix_HookMusicFinished(&SdlMusicDevice::musicFinishedHook);
    }
    return {};
}

QString SdlMusicDevice::play(EndHandler onEnd)
{
    if (m_music == nullptr)
        return QCoreApplication::translate("SdlMusicDevice", "BGM のファイルが開かれていません。");
    halt();
    if (++m_nPlay == 0)
        ++m_nPlay;
    m_hookPlay.store(m_nPlay);
    if (Mix_PlayMusic(m_music, 0) != 0) {
        m_hookPlay.store(0);
        return QCoreApplication::translate("SdlMusicDevice", "BGM を演奏できません（%1）。").arg(mixerError());
    }
    m_onEnd = std::move(onEnd);
    return {};
}

void SdlMusicDevice::stop()
{
    halt();
}

void SdlMusicDevice::close()
{
    ++m_nSession;
    m_hookPlay.store(0);
    m_onEnd = nullptr;
    if (m_music != nullptr) {
        Mix_HaltMusic();
        Mix_FreeMusic(m_music);
        m_music = nullptr;
        m_data.clear();
    }
}

void SdlMusicDevice::halt()
{
    // The hook also runs for a halt; with no play to report it is ignored.
    m_hookPlay.store(0);
    if (m_music != nullptr)
        Mix_HaltMusic();
    if (!m_onEnd)
        return;
    QMetaObject::invokeMethod(
        &m_receiver,
        [this, onEnd = std::exchange(m_onEnd, nullptr), session = m_nSession] {
            if (session == m_nSession)
                onEnd(MusicEnd::Interrupted);
        },
        Qt::QueuedConnection);
}

void SdlMusicDevice::musicFinishedHook()
{
    // On SDL's audio thread (or in Mix_HaltMusic), with the audio locked: the
    // device can't go away meanwhile, since it unhooks under the same lock.
    SdlMusicDevice* device = s_hooked.load();
    if (device == nullptr)
        return;
    const unsigned play = device->m_hookPlay.load();
    if (play == 0)
        return;
    QMetaObject::invokeMethod(
        &device->m_receiver, [device, play] { device->pieceFinished(play); }, Qt::QueuedConnection);
}

void SdlMusicDevice::pieceFinished(unsigned play)
{
    // A stop or a new play since the end was seen has reported the play
    // already, as interrupted.
    if (play != m_nPlay || !m_onEnd)
        return;
    std::exchange(m_onEnd, nullptr)(MusicEnd::Finished);
}
