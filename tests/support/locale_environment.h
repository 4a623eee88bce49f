#pragma once

#include <QProcessEnvironment>
#include <QString>

// This environment with `lang` as the only locale setting, as a desktop of
// that language starts a program: the maker's command line speaks Japanese
// under "ja_JP.UTF-8" and English under any other language.
inline QProcessEnvironment localeEnvironment(const QString& lang)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    return env;
}
