#pragma once

#include "document_commands.h"

// Command ids that the frame handles itself, beside the document's
// (document_commands.h). Each QAction carries its id (QAction::data), so that
// menus, handlers and tests agree on one number.
enum ShellCommand : int {
    kCmdBgmStop = 32789,   // "停止"
    kCmdBgmPlay = 32802,   // "演奏"
    kCmdBgmOpen = 32803,   // "開く"
    kCmdAbout = 57664,     // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
    kCmdExit = 57665,      // "終了(&X)"
};
