#pragma once

#include <QString>

#include <cstdint>

// A playing time as the lists show it: hours, then minutes and seconds in two
// digits ("1:02:05").
inline QString clockText(std::int64_t seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
