#pragma once

#include <QRect>
#include <QString>

#include <utility>

#include "ini_settings.h"

// The maker's INI file: section "Kestra_Section" of a file named after the
// executable.
class KestraSettings : public IniSettings {
public:
    explicit KestraSettings(QString iniPath) : IniSettings(std::move(iniPath), QStringLiteral("Kestra_Section")) {}

    // "kestra.ini" beside the executable, or in the user's configuration folder.
    static QString defaultIniPath() { return IniSettings::defaultIniPath(QStringLiteral("kestra")); }

    // The main window rectangle: "rgleft", "rgtop", "rgright", "rgbottom".
    QRect readMainRect(const QRect& fallback) const { return readRect(QStringLiteral("rg"), fallback); }
    void writeMainRect(const QRect& rect) { writeRect(QStringLiteral("rg"), rect); }
};
