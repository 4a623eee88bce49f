#pragma once

// The three short sounds of play. The views name what happened; the shell
// decides how it is heard (a mixer channel in the program, silence or a
// recorder in tests). A new sound cuts the one still playing.
enum class SoundEffect {
    Join,      // pieces joined on the board: "on.wav"
    Complete,  // the last join finished the puzzle: "ok.wav"
    FlyBack,   // a piece flies back into the tray: "off.wav"
};

class SoundEffects {
public:
    virtual ~SoundEffects() = default;
    virtual void play(SoundEffect effect) = 0;
};

// An instance that plays nothing.
SoundEffects& silentSoundEffects();

// The file name of each sound.
const char* soundFileName(SoundEffect effect);
