#pragma once

#include "locale_environment.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// What a program run left: its exit code (-1 when it crashed or hung) and
// what it printed.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs `program` with `args` offscreen on a desktop of language `lang` (see
// localeEnvironment), with a runtime folder of its own so that Qt has no
// warning of its own to print before the program's words.
inline ProgramRun runProgram(const QString& program, const QStringList& args, const QString& lang)
{
    QTemporaryDir runtime;
    QProcessEnvironment env = localeEnvironment(lang);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}
