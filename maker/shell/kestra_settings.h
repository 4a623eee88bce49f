#pragma once

#include <QRect>
#include <QString>

// The maker's INI file: section "Kestra_Section" of a file named after the
// executable. The file's location is given at construction so that tests can
// keep their settings in a temporary folder.
class KestraSettings {
public:
    explicit KestraSettings(QString iniPath);

    // "kestra.ini" beside the executable when its folder is writable,
    // otherwise in the user's configuration folder.
    static QString defaultIniPath();

    const QString& path() const { return m_path; }

    // A missing key gives `fallback`; a value that is not a number reads as 0.
    int readInt(const QString& key, int fallback) const;
    void writeInt(const QString& key, int value);

    // Paths are kept in full.
    QString readPath(const QString& key, const QString& fallback) const;
    void writePath(const QString& key, const QString& value);

    // The main window rectangle: "rgleft", "rgtop", "rgright", "rgbottom".
    QRect readMainRect(const QRect& fallback) const;
    void writeMainRect(const QRect& rect);

private:
    QString m_path;
};
