#include "command_ids.h"
#include "document_test_support.h"
#include "help_window_check.h"
#include "main_frame.h"
#include "shell_test_support.h"
#include "translations.h"
#include "vorpel_settings.h"
#include "views_test_support.h"

#include <QTemporaryDir>
#include <QtTest>

// The player's help command in the interface's language, which the test's
// environment chooses (the test runs once in Japanese and once in English).
class VorpelHelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("vorpel"));
        installTranslations(QStringLiteral("vorpel"), uiLanguage());
    }

    void helpOpensInTheProgramsOwnWindow()
    {
        QTemporaryDir dir;
        VorpelSettings settings(dir.filePath(QStringLiteral("vorpel.ini")));
        FakeClock clock;
        MtRandom random;
        RecordingSounds sounds;
        ScriptedChooser chooser;
        CMainFrame frame(settings, clock, random, sounds, chooser);
        frame.show();
        checkHelpCommand(frame.action(kCmdHelp), QStringLiteral("vorpel"));
    }
};

QTEST_MAIN(VorpelHelpTest)
#include "help_test.moc"
