#pragma once

// The ids of the background-music commands: the frame's actions carry them
// and the music decides from them what is enabled and checked.
enum MusicCommand : int {
    kCmdBgmStop = 32789,   // "停止"
    kCmdBgmTrack1 = 32792, // built-in track "BGM01.mid"
    kCmdBgmTrack2 = 32794, // "BGM02.mid"
    kCmdBgmTrack3 = 32795, // "BGM03.mid"
    kCmdBgmTrack4 = 32797, // "BGM04.mid"
    kCmdBgmTrack5 = 32798, // "BGM05.mid"
    kCmdBgmPlay = 32802,   // "演奏"
    kCmdBgmOpen = 32803,   // "開く"
};
