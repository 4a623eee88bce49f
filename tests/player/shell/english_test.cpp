#include "command_ids.h"
#include "document_test_support.h"
#include "elapsed_window.h"
#include "installed_catalogue.h"
#include "japanese_text.h"
#include "jzt_file.h"
#include "main_frame.h"
#include "preview_window.h"
#include "shell_test_support.h"
#include "title_room.h"
#include "vorpel_settings.h"
#include "views_test_support.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

// The player with the English catalogue loaded. That every Japanese text of
// the sources has an English translation is checked on the sources; here the
// menus as the user meets them: English, each access key once per menu.
class EnglishTest : public QObject {
    Q_OBJECT

private slots:
    // The menu bar, the context menu of the board and the tray, the window's
    // title with a puzzle, and the tool windows wide enough for their English
    // titles.
    void menusAndTitles()
    {
        const InstalledCatalogue english(QStringLiteral("vorpel"), UiLanguage::English, QStringLiteral(VORPEL_DIR));
        QCOMPARE(english.count(), 1);
        QTemporaryDir dir;
        VorpelSettings settings(dir.filePath(QStringLiteral("vorpel.ini")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
        FakeClock clock;
        MtRandom random;
        RecordingSounds sounds;
        ScriptedChooser chooser;
        CMainFrame frame(settings, clock, random, sounds, chooser);

        QMenu bar;
        bar.addActions(frame.menuBar()->actions());
        const QStringList faults = englishMenuFaults(bar) + englishMenuFaults(*frame.contextMenu());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        const QString path = dir.filePath(QStringLiteral("sample.jzt"));
        jigsaw::writeJztFile(path.toStdString(),
                             samplePuzzle(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor));
        DialogAnswerer answerer;  // the puzzle's message opens as it is read
        frame.openFromCommandLine(path);
        QVERIFY(frame.windowTitle().startsWith(QStringLiteral("sample.jzt - ")));
        QVERIFY(frame.windowTitle().endsWith(QStringLiteral("% Zoom 100%")));
        frame.action(kCmdTogglePreview)->trigger();
        frame.action(kCmdToggleElapsed)->trigger();
        for (QWidget* tool : {static_cast<QWidget*>(frame.findChild<PreviewWindow*>()),
                              static_cast<QWidget*>(frame.findChild<ElapsedWindow*>())}) {
            QVERIFY(tool != nullptr);
            QVERIFY2(tool->width() >= titleRoom(*tool), qPrintable(tool->windowTitle()));
        }
    }
};

QTEST_MAIN(EnglishTest)
#include "english_test.moc"
