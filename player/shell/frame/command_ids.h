#pragma once

#include "document_commands.h"
#include "music_commands.h"

// Command ids that the frame handles itself, beside the document's
// (document_commands.h) and the music's (music_commands.h). Each QAction
// carries its id (QAction::data), so that menus, handlers and tests agree on
// one number.
enum ShellCommand : int {
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
