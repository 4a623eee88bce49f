#include "command_ids.h"
#include "help_window_check.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "main_frame.h"
#include "translations.h"

#include <QTemporaryDir>
#include <QtTest>

// The maker's help command in the interface's language, which the test's
// environment chooses (the test runs once in Japanese and once in English).
class KestraHelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("kestra"));
        installTranslations(QStringLiteral("kestra"), uiLanguage());
    }

    void helpOpensInTheProgramsOwnWindow()
    {
        QTemporaryDir dir;
        KestraSettings settings(dir.filePath(QStringLiteral("kestra.ini")));
        CKestraDoc doc;
        CMainFrame frame(doc, settings);
        frame.show();
        checkHelpCommand(frame.action(kestra::cmd::kHelp), QStringLiteral("kestra"));
    }
};

QTEST_MAIN(KestraHelpTest)
#include "help_test.moc"
