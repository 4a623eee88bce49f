#include "kestra_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace {

const QString kSection = QStringLiteral("Kestra_Section/");

}  // namespace

KestraSettings::KestraSettings(QString iniPath) : m_path(std::move(iniPath)) {}

QString KestraSettings::defaultIniPath()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (baseName.isEmpty())
        baseName = QStringLiteral("kestra");
    const QString fileName = baseName + QStringLiteral(".ini");
    if (QFileInfo(exeDir).isWritable())
        return QDir(exeDir).filePath(fileName);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDir);
    return QDir(configDir).filePath(fileName);
}

int KestraSettings::readInt(const QString& key, int fallback) const
{
    const QSettings ini(m_path, QSettings::IniFormat);
    const QVariant value = ini.value(kSection + key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : 0;
}

void KestraSettings::writeInt(const QString& key, int value)
{
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(kSection + key, QString::number(value));
}

QString KestraSettings::readPath(const QString& key, const QString& fallback) const
{
    const QSettings ini(m_path, QSettings::IniFormat);
    return ini.value(kSection + key, fallback).toString();
}

void KestraSettings::writePath(const QString& key, const QString& value)
{
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(kSection + key, value);
}

QRect KestraSettings::readMainRect(const QRect& fallback) const
{
    const int left = readInt(QStringLiteral("rgleft"), fallback.left());
    const int top = readInt(QStringLiteral("rgtop"), fallback.top());
    const int right = readInt(QStringLiteral("rgright"), fallback.left() + fallback.width());
    const int bottom = readInt(QStringLiteral("rgbottom"), fallback.top() + fallback.height());
    return QRect(left, top, right - left, bottom - top);
}

void KestraSettings::writeMainRect(const QRect& rect)
{
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(kSection + QStringLiteral("rgleft"), QString::number(rect.left()));
    ini.setValue(kSection + QStringLiteral("rgtop"), QString::number(rect.top()));
    ini.setValue(kSection + QStringLiteral("rgright"), QString::number(rect.left() + rect.width()));
    ini.setValue(kSection + QStringLiteral("rgbottom"), QString::number(rect.top() + rect.height()));
}
