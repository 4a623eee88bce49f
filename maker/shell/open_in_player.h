#pragma once

#include <QString>

class QWidget;

namespace kestra {

// Says that the puzzle file `path` was written and offers to open it in the
// player, which then runs on its own. The player is looked for beside the
// maker, where the build tree puts it (player/shell beside maker/shell), then
// on PATH; one that cannot be found or started is reported.
void offerToOpenInPlayer(QWidget* parent, const QString& path);

}  // namespace kestra
