#pragma once

#include <QRect>
#include <QString>

// One section of a program's INI file. Values are decimal numbers or full
// paths; the file's location is given at construction so that tests can keep
// their settings in a temporary folder.
class IniSettings {
public:
    IniSettings(QString iniPath, QString section);

    // "<program>.ini" beside the executable when its folder is writable,
    // otherwise in the user's configuration folder. `fallbackBaseName` names
    // the file when the executable's name is unknown.
    static QString defaultIniPath(const QString& fallbackBaseName);

    // "<baseName>.ini" in `exeDir` when that folder is writable, otherwise in
    // the user's configuration folder, which is made if missing. Tests pass
    // their own `isWritable`, since the superuser may write anywhere.
    static bool isWritableFolder(const QString& folder);
    static QString iniPathFor(const QString& exeDir, const QString& baseName,
                              bool (*isWritable)(const QString& folder) = isWritableFolder);

    const QString& path() const { return m_path; }

    // A missing key gives `fallback`; a value that is not a number reads as 0.
    int readInt(const QString& key, int fallback) const;
    void writeInt(const QString& key, int value);

    // Paths are kept in full; other text values as they are.
    QString readPath(const QString& key, const QString& fallback) const;
    void writePath(const QString& key, const QString& value);

    // A window rectangle kept as four keys, `prefix` + "left", "top", "right"
    // and "bottom" ("rg" for a main window).
    QRect readRect(const QString& prefix, const QRect& fallback) const;
    void writeRect(const QString& prefix, const QRect& rect);

private:
    QString key(const QString& name) const { return m_section + QLatin1Char('/') + name; }

    QString m_path;
    QString m_section;
};
