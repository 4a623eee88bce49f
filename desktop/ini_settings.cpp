#include "ini_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

IniSettings::IniSettings(QString iniPath, QString section) : m_path(std::move(iniPath)), m_section(std::move(section))
{
}

QString IniSettings::defaultIniPath(const QString& fallbackBaseName)
{
    QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (baseName.isEmpty())
        baseName = fallbackBaseName;
    return iniPathFor(QCoreApplication::applicationDirPath(), baseName);
}

bool IniSettings::isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString IniSettings::iniPathFor(const QString& exeDir, const QString& baseName,
                                bool (*isWritable)(const QString& folder))
{
    const QString fileName = baseName + QStringLiteral(".ini");
    if (isWritable(exeDir))
        return QDir(exeDir).filePath(fileName);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDir);
    return QDir(configDir).filePath(fileName);
}

int IniSettings::readInt(const QString& name, int fallback) const
{
    const QSettings ini(m_path, QSettings::IniFormat);
    const QVariant value = ini.value(key(name));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : 0;
}

void IniSettings::writeInt(const QString& name, int value)
{
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(key(name), QString::number(value));
}

QString IniSettings::readPath(const QString& name, const QString& fallback) const
{
    const QSettings ini(m_path, QSettings::IniFormat);
    return ini.value(key(name), fallback).toString();
}

void IniSettings::writePath(const QString& name, const QString& value)
{
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(key(name), value);
}

QRect IniSettings::readRect(const QString& prefix, const QRect& fallback) const
{
    const int left = readInt(prefix + QStringLiteral("left"), fallback.left());
    const int top = readInt(prefix + QStringLiteral("top"), fallback.top());
    const int right = readInt(prefix + QStringLiteral("right"), fallback.left() + fallback.width());
    const int bottom = readInt(prefix + QStringLiteral("bottom"), fallback.top() + fallback.height());
    return QRect(left, top, right - left, bottom - top);
}

void IniSettings::writeRect(const QString& prefix, const QRect& rect)
{
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(key(prefix + QStringLiteral("left")), QString::number(rect.left()));
    ini.setValue(key(prefix + QStringLiteral("top")), QString::number(rect.top()));
    ini.setValue(key(prefix + QStringLiteral("right")), QString::number(rect.left() + rect.width()));
    ini.setValue(key(prefix + QStringLiteral("bottom")), QString::number(rect.top() + rect.height()));
}
