#include "sdl_sound_effects.h"

#include "data_files.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kChannel = 0;
constexpr int kFrequency = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkFrames = 1024;

constexpr std::array kEffects{SoundEffect::Join, SoundEffect::Complete, SoundEffect::FlyBack};

std::size_t indexOf(SoundEffect effect)
{
    return static_cast<std::size_t>(effect);
}

void report(const QString& text)
{
    std::fputs(("vorpel: " + text + "\n").toUtf8().constData(), stderr);
}

void reportNoAudio(const char* why)
{
    report(QCoreApplication::translate("SdlSoundEffects", "音声を出力できないため、効果音は鳴りません（%1）。").arg(QString::fromUtf8(why)));
}

}  // namespace

SdlSoundEffects::SdlSoundEffects() : SdlSoundEffects(defaultFolders()) {}

SdlSoundEffects::SdlSoundEffects(QStringList folders) : m_folders(std::move(folders)) {}

SdlSoundEffects::~SdlSoundEffects()
{
    if (m_bAudioOpen) {
        for (Mix_Chunk* chunk : m_chunks) {
            if (chunk)
                Mix_FreeChunk(chunk);
        }
        Mix_CloseAudio();
    }
    if (m_bSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QStringList SdlSoundEffects::defaultFolders()
{
    return dataFolders(QStringLiteral("vorpel"));
}

void SdlSoundEffects::play(SoundEffect effect)
{
    if (!m_bTried) {
        m_bTried = true;
        openAudio();
    }
    if (Mix_Chunk* chunk = m_chunks[indexOf(effect)])
        Mix_PlayChannel(kChannel, chunk, 0);
}

void SdlSoundEffects::openAudio()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportNoAudio(SDL_GetError());
        return;
    }
    m_bSubsystem = true;
    // When the music has opened the device already, asking for the settings
    // it has only adds a reference; other settings would reopen it.
    int frequency = kFrequency;
    Uint16 format = MIX_DEFAULT_FORMAT;
    int channels = kOutputChannels;
    Mix_QuerySpec(&frequency, &format, &channels);
    if (Mix_OpenAudio(frequency, format, channels, kChunkFrames) != 0) {
        reportNoAudio(Mix_GetError());
        return;
    }
    m_bAudioOpen = true;
    // The effects are the only users of the mixer's channels, and they share one.
    Mix_AllocateChannels(kChannel + 1);
    loadChunks();
}

void SdlSoundEffects::loadChunks()
{
    QStringList unreadable;
    QString reason;
    for (const SoundEffect effect : kEffects) {
        const QString name = QString::fromLatin1(soundFileName(effect));
        Mix_Chunk*& chunk = m_chunks[indexOf(effect)];
        QString why;
        for (const QString& folder : std::as_const(m_folders)) {
            const QString path = QDir(folder).filePath(name);
            if (!QFileInfo::exists(path))
                continue;
            chunk = Mix_LoadWAV(QFile::encodeName(path).constData());
            if (chunk)
                break;
            why = path + QStringLiteral(": ") + QString::fromUtf8(Mix_GetError());
        }
        if (!chunk) {
            unreadable << name;
            if (!why.isEmpty())
                reason = why;
        }
    }
    if (unreadable.isEmpty())
        return;
    const QString separator = QCoreApplication::translate("SdlSoundEffects", "、");
    if (reason.isEmpty())
        reason = QCoreApplication::translate("SdlSoundEffects", "探したフォルダ: %1").arg(m_folders.join(separator));
    report(QCoreApplication::translate("SdlSoundEffects", "効果音 %1 を読み込めないため、鳴りません（%2）。")
               .arg(unreadable.join(separator), reason));
}
