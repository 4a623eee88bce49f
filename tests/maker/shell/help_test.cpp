#include "command_ids.h"
#include "help_window_check.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "main_frame.h"
#include "translations.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The maker's help in the interface's language, which the test's environment
// chooses (the test runs once in Japanese and once in English).
class KestraHelpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("kestra"));
        installTranslations(QStringLiteral("kestra"), uiLanguage());
    }
    void init()
    {
        m_settings = std::make_unique<KestraSettings>(m_dir.filePath(QStringLiteral("kestra.ini")));
        m_frame = std::make_unique<CMainFrame>(m_doc, *m_settings);
    }
    void cleanup()
    {
        m_frame.reset();
        m_settings.reset();
    }

    void helpOpensInTheProgramsOwnWindow()
    {
        m_frame->show();
        checkHelpCommand(m_frame->action(kestra::cmd::kHelp), QStringLiteral("kestra"));
    }

    void englishHelpNamesEveryMenuCommand() { checkEnglishHelpNamesMenus(m_frame->menuBar()); }

private:
    QTemporaryDir m_dir;
    CKestraDoc m_doc;
    std::unique_ptr<KestraSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(KestraHelpTest)
#include "help_test.moc"
