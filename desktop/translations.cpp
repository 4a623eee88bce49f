#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "data_files.h"

UiLanguage uiLanguageFor(const QStringList& uiLanguages)
{
    if (!uiLanguages.isEmpty()) {
        const QString first = uiLanguages.first();
        if (first == QLatin1String("ja") || first.startsWith(QLatin1String("ja-")) ||
            first.startsWith(QLatin1String("ja_")))
            return UiLanguage::Japanese;
    }
    return UiLanguage::English;
}

UiLanguage uiLanguage()
{
    return uiLanguageFor(QLocale::system().uiLanguages());
}

QString translationFileName(const QString& program)
{
    return program + QStringLiteral("_en.qm");
}

namespace {

QTranslator* loadInto(QCoreApplication* app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(app);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace

QList<QTranslator*> installTranslations(const QString& program, UiLanguage language, const QString& folder)
{
    QList<QTranslator*> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return installed;
    if (language == UiLanguage::Japanese) {
        // "qt_ja" names the catalogues of every Qt module that has one.
        if (QTranslator* t = loadInto(app, QStringLiteral("qt_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            installed.append(t);
        return installed;
    }
    const QStringList folders = folder.isEmpty() ? dataFolders(program) : QStringList{folder};
    for (const QString& f : folders) {
        if (QTranslator* t = loadInto(app, translationFileName(program), f)) {
            installed.append(t);
            break;
        }
    }
    return installed;
}
