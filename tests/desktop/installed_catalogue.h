#pragma once

#include "translations.h"

#include <QCoreApplication>
#include <QTranslator>

// A program's catalogues of one language, installed while the object lives.
class InstalledCatalogue {
public:
    InstalledCatalogue(const QString& program, UiLanguage language, const QString& folder = {})
        : m_translators(installTranslations(program, language, folder))
    {
    }
    ~InstalledCatalogue()
    {
        for (QTranslator* t : m_translators) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    InstalledCatalogue(const InstalledCatalogue&) = delete;
    InstalledCatalogue& operator=(const InstalledCatalogue&) = delete;
    qsizetype count() const { return m_translators.size(); }

private:
    QList<QTranslator*> m_translators;
};
