#pragma once

#include "document_commands.h"

// Command ids that the frame handles itself, beside the document's
// (document_commands.h). Each QAction carries its id (QAction::data), so that
// menus, handlers and tests agree on one number.
enum ShellCommand : int {
    kCmdBgmStop = 32789,   // "停止"
    kCmdBgmTrack1 = 32792, // built-in track "BGM01.mid"
    kCmdBgmTrack2 = 32794, // "BGM02.mid"
    kCmdBgmTrack3 = 32795, // "BGM03.mid"
    kCmdBgmTrack4 = 32797, // "BGM04.mid"
    kCmdBgmTrack5 = 32798, // "BGM05.mid"
    kCmdBgmPlay = 32802,   // "演奏"
    kCmdBgmOpen = 32803,   // "開く"
    kCmdGatherPieces = 32830, // "ピースを集める(&G)"
    kCmdSpreadPieces = 33112, // "ピースを並べる(&S)"
    kCmdAbout = 57664,     // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
    kCmdExit = 57665,      // "終了(&X)"
    kCmdUnfinishedGames = 33110, // "未完成のゲーム(&G)…"
    kCmdRecords = 33120,         // "記録(&R)…"
    // The board's zoom.
    kCmdZoomIn = 33101,         // "拡大(&I)"
    kCmdZoomOut = 33102,        // "縮小(&U)"
    kCmdZoomActualSize = 33103, // "実寸表示(&A)"
    kCmdZoomToFit = 33104,      // "全体を表示(&W)"
};
