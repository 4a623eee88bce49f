#include "command_ids.h"
#include "help_window_check.h"
#include "maker_window.h"
#include "translations.h"

#include <QMenuBar>
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
    void init() { m_maker = std::make_unique<Maker>(); }
    void cleanup() { m_maker.reset(); }

    void helpOpensInTheProgramsOwnWindow()
    {
        m_maker->frame.show();
        checkHelpCommand(m_maker->frame.action(kestra::cmd::kHelp), QStringLiteral("kestra"));
    }

    void helpNamesEveryMenuCommand() { checkHelpNamesMenus(m_maker->frame.menuBar()); }

private:
    std::unique_ptr<Maker> m_maker;
};

QTEST_MAIN(KestraHelpTest)
#include "help_test.moc"
