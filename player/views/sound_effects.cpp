#include "sound_effects.h"

namespace {

class SilentSoundEffects final : public SoundEffects {
public:
    void play(SoundEffect) override {}
};

}  // namespace

SoundEffects& silentSoundEffects()
{
    static SilentSoundEffects silent;
    return silent;
}

const char* soundFileName(SoundEffect effect)
{
    switch (effect) {
    case SoundEffect::Join:
        return "on.wav";
    case SoundEffect::Complete:
        return "ok.wav";
    case SoundEffect::FlyBack:
        return "off.wav";
    }
    return "";
}
