#pragma once

#include <QString>

// A file-dialog pattern that matches `extension` in any case ("*.[jJ][pP][gG]"),
// since the dialogs compare extensions without regard to case while the
// underlying file system does not.
inline QString anyCasePattern(const QString& extension)
{
    QString pattern = QStringLiteral("*.");
    for (const QChar c : extension)
        pattern += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
    return pattern;
}
