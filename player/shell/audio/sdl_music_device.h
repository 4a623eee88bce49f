#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>

#include "music_device.h"

struct _Mix_Music;

// Plays MIDI files through SDL2_mixer and FluidSynth with a General MIDI
// sound font. The audio device is opened on the first open(), with the same
// settings as the sound effects so that whichever comes first is shared, and
// is let go when this object is destroyed. SDL_mixer has one music stream and
// one end hook, so one SdlMusicDevice at a time may play. Create and use it on
// the GUI thread: the end of a piece is reported from SDL's audio thread and
// delivered back to this thread's event loop.
class SdlMusicDevice final : public MusicDevice {
public:
    SdlMusicDevice();
    ~SdlMusicDevice() override;

    SdlMusicDevice(const SdlMusicDevice&) = delete;
    SdlMusicDevice& operator=(const SdlMusicDevice&) = delete;

    QString open(const QString& path) override;
    QString play(EndHandler onEnd) override;
    void stop() override;
    void close() override;

    // The sound font the music will use: SDL_SOUNDFONTS when the environment
    // sets it, else the first one installed in the system's sound-font
    // folders, else empty.
    static QString soundFont();

private:
    static void musicFinishedHook();
    QString openAudio();
    void halt();
    void pieceFinished(unsigned play);

    // Receives the end notifications on the GUI thread.
    QObject m_receiver;
    _Mix_Music* m_music = nullptr;
    QByteArray m_data;           // the MIDI bytes, kept while the mixer may read them
    bool m_bSubsystem = false;   // SDL's audio subsystem is initialised
    bool m_bAudioOpen = false;   // the mixer holds the device
    unsigned m_nPlay = 0;        // number of the latest play, never 0
    unsigned m_nSession = 0;     // changes on close, dropping pending notifications
    EndHandler m_onEnd;          // of the play still running, until its end is reported
    // The play whose end the hook reports; 0 while a halt is under way.
    std::atomic<unsigned> m_hookPlay{0};
};
