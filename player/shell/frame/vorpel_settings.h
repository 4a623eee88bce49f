#pragma once

#include <QString>

#include <utility>

#include "ini_settings.h"

// The player's INI file: section "Vorpel_Section" of a file named after the
// executable.
class VorpelSettings : public IniSettings {
public:
    explicit VorpelSettings(QString iniPath) : IniSettings(std::move(iniPath), QStringLiteral("Vorpel_Section")) {}

    // "vorpel.ini" beside the executable, or in the user's configuration folder.
    static QString defaultIniPath() { return IniSettings::defaultIniPath(QStringLiteral("vorpel")); }
};
