#include "command_line.h"

#include <QCoreApplication>

#include <cstring>

namespace {

bool isHelp(const QString& arg)
{
    return arg == QStringLiteral("--help") || arg == QStringLiteral("-h");
}

}  // namespace

VorpelCommandLine parseVorpelCommandLine(const QStringList& args)
{
    VorpelCommandLine result;
    bool optionsEnded = false;
    for (const QString& arg : args) {
        if (!optionsEnded && arg == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && isHelp(arg)) {
            return {VorpelCommandLine::Action::Help, {}, {}};
        } else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return {VorpelCommandLine::Action::Error, {},
                    QCoreApplication::translate("CommandLine", "不明なオプション %1").arg(arg)};
        } else if (!result.file.isEmpty()) {
            return {VorpelCommandLine::Action::Error, {},
                    QCoreApplication::translate("CommandLine", "開けるファイルは一つだけです")};
        } else {
            result.file = arg;
        }
    }
    return result;
}

bool asksForHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (isHelp(QString::fromLocal8Bit(argv[i])))
            return true;
    }
    return false;
}

QString vorpelUsage()
{
    return QCoreApplication::translate("CommandLine", "使い方: vorpel [パズルファイル(.jzt) またはプレイファイル(.jpd)]\n");
}
