#include "command_ids.h"
#include "help_window_check.h"
#include "shell_test_support.h"
#include "translations.h"

#include <QMenuBar>
#include <QtTest>

// The player's help in the interface's language, which the test's
// environment chooses (the test runs once in Japanese and once in English).
class VorpelHelpTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("vorpel"));
        installTranslations(QStringLiteral("vorpel"), uiLanguage());
    }
    void init()
    {
        openFolder();
        startFrame(false);
    }
    void cleanup() { closeFolder(); }

    void helpOpensInTheProgramsOwnWindow()
    {
        m_frame->show();
        checkHelpCommand(m_frame->action(kCmdHelp), QStringLiteral("vorpel"));
    }

    void helpNamesEveryMenuCommand() { checkHelpNamesMenus(m_frame->menuBar()); }
};

QTEST_MAIN(VorpelHelpTest)
#include "help_test.moc"
