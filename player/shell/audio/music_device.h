#pragma once

#include <QString>

#include <functional>

// How a play of the music ended. Only a piece that reached its end counts as
// finished; a play halted by stop, by a new play or by closing the device, or
// one that failed, is interrupted.
enum class MusicEnd { Finished, Interrupted };

// The device that plays the background music: one MIDI file open at a time,
// played from the start on request. The frame plays through this interface so
// that tests can use a fake.
class MusicDevice {
public:
    using EndHandler = std::function<void(MusicEnd)>;

    virtual ~MusicDevice() = default;

    // Opens the MIDI file at `path`; no file may be open (the caller closes
    // the previous one first). Returns an empty string on success, otherwise
    // a text for the user saying why the file can't be played.
    virtual QString open(const QString& path) = 0;
    // Plays the open file once from its start, halting a play still running.
    // On success `onEnd` is called exactly once, later, on the GUI thread:
    // Finished when the piece reached its end, Interrupted when stop, another
    // play or a failure ended it. Returns an empty string on success,
    // otherwise a text for the user (and `onEnd` is never called).
    virtual QString play(EndHandler onEnd) = 0;
    // Halts the play; the file stays open so that it can be played again.
    virtual void stop() = 0;
    // Halts the play and closes the file. End notifications not yet
    // delivered are dropped.
    virtual void close() = 0;
};

// A device that opens and plays anything in silence and never reports an end.
class SilentMusicDevice final : public MusicDevice {
public:
    QString open(const QString&) override { return {}; }
    QString play(EndHandler) override { return {}; }
    void stop() override {}
    void close() override {}
};

// One silent device for frames built without music.
MusicDevice& silentMusicDevice();
