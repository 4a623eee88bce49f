#include "music_device.h"

MusicDevice& silentMusicDevice()
{
    static SilentMusicDevice device;
    return device;
}
