#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QTranslator;

// The two languages of the interface. Japanese is the language the texts are
// written in; every other desktop language gets the English translation.
enum class UiLanguage { Japanese, English };

// Japanese when the first of the desktop's preferred languages (as
// QLocale::uiLanguages() lists them, from LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG) is Japanese, English otherwise.
UiLanguage uiLanguageFor(const QStringList& uiLanguages);
UiLanguage uiLanguage();

// Installs the translators for `language` into the running application: for
// English the program's catalogue "<program>_en.qm" from its data folders
// (or from `folder` when given); for Japanese Qt's own catalogue, so that
// file dialogs and standard buttons speak Japanese too. Returns the
// translators installed (children of the application), so that a caller
// can remove them again.
QList<QTranslator*> installTranslations(const QString& program, UiLanguage language, const QString& folder = {});

// The file name of the program's catalogue for English.
QString translationFileName(const QString& program);
