#pragma once

#include <array>

#include <QStringList>

#include "sound_effects.h"

struct Mix_Chunk;

// Plays the three sound effects through SDL2_mixer, all on mixer channel 0,
// so that a new sound cuts the one still playing. The audio device is opened
// and the files are loaded on the first sound. When the device can't be
// opened or a file can't be read, the sounds concerned stay silent and one
// line on stderr says why; play never fails and never waits.
class SdlSoundEffects final : public SoundEffects {
public:
    // Looks for the files in defaultFolders().
    SdlSoundEffects();
    // Looks for each file in these folders, in order.
    explicit SdlSoundEffects(QStringList folders);
    ~SdlSoundEffects() override;

    SdlSoundEffects(const SdlSoundEffects&) = delete;
    SdlSoundEffects& operator=(const SdlSoundEffects&) = delete;

    void play(SoundEffect effect) override;

    // The program's own folder, then the installed data folder.
    static QStringList defaultFolders();

private:
    void openAudio();
    void loadChunks();

    QStringList m_folders;
    bool m_bTried = false;       // the first sound has tried to open the device
    bool m_bSubsystem = false;   // SDL's audio subsystem is initialised
    bool m_bAudioOpen = false;   // the mixer holds the device
    std::array<Mix_Chunk*, 3> m_chunks{};  // by SoundEffect; null when unreadable
};
