#include "command_ids.h"
#include "document_test_support.h"
#include "help_window_check.h"
#include "main_frame.h"
#include "shell_test_support.h"
#include "translations.h"
#include "vorpel_settings.h"
#include "views_test_support.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The player's help in the interface's language, which the test's
// environment chooses (the test runs once in Japanese and once in English).
class VorpelHelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("vorpel"));
        installTranslations(QStringLiteral("vorpel"), uiLanguage());
    }
    void init()
    {
        m_settings = std::make_unique<VorpelSettings>(m_dir.filePath(QStringLiteral("vorpel.ini")));
        m_frame = std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, m_chooser);
    }
    void cleanup()
    {
        m_frame.reset();
        m_settings.reset();
    }

    void helpOpensInTheProgramsOwnWindow()
    {
        m_frame->show();
        checkHelpCommand(m_frame->action(kCmdHelp), QStringLiteral("vorpel"));
    }

    void helpNamesEveryMenuCommand() { checkHelpNamesMenus(m_frame->menuBar()); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    FakeClock m_clock;
    MtRandom m_random;
    RecordingSounds m_sounds;
    ScriptedChooser m_chooser;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(VorpelHelpTest)
#include "help_test.moc"
