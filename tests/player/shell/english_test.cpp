#include "atomic_file.h"
#include "auto_save.h"
#include "game_store.h"
#include "background_music.h"
#include "board_view.h"
#include "command_ids.h"
#include "command_line.h"
#include "completion.h"
#include "congratulation_dialog.h"
#include "cut_progress.h"
#include "document_test_support.h"
#include "elapsed_window.h"
#include "finished_picture_dialog.h"
#include "jzt_file.h"
#include "file_path.h"
#include "japanese_text.h"
#include "main_frame.h"
#include "message_dialog.h"
#include "panel_dialog.h"
#include "play_file.h"
#include "preview_window.h"
#include "unfinished_games.h"
#include "save_prompt.h"
#include "sdl_music_device.h"
#include "shell_test_support.h"
#include "title_room.h"
#include "translations.h"
#include "tray_view.h"
#include "vorpel_settings.h"
#include "views_test_support.h"

#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// Answers file dialogs with nothing and writes down their titles and filters.
class TitleRecorder final : public FileChooser {
public:
    QStringList asked;
    QString nextSave;  // what the dialog of several filters answers
    QString openFile(QWidget*, const QString& title, const QString&, const QString& filter) override
    {
        asked << title << filter;
        return {};
    }
    QString saveFile(QWidget*, const QString& title, const QString&, const QString& filter) override
    {
        asked << title << filter;
        return {};
    }
    QString saveFileAs(QWidget*, const QString& title, const QString&, const QString& filters, QString&) override
    {
        asked << title << filters;
        return nextSave;
    }
};

// The output of the real program run with `args` in the given locale.
QString runVorpel(const QString& lang, const QStringList& args, int expectedExit)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VORPEL_PATH), args);
    if (!process.waitForFinished(30000) || process.exitCode() != expectedExit)
        return QStringLiteral("(exit %1)").arg(process.exitCode());
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

}  // namespace

class EnglishTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_translators =
            installTranslations(QStringLiteral("vorpel"), UiLanguage::English, QStringLiteral(VORPEL_DIR));
        QCOMPARE(m_translators.size(), 1);
    }
    void cleanupTestCase()
    {
        for (QTranslator* t : m_translators) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<VorpelSettings>(m_dir->filePath(QStringLiteral("vorpel.ini")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
        m_frame = std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, m_chooser);
        m_texts = JapaneseTexts();
        m_chooser.asked.clear();
        m_chooser.nextSave.clear();
    }
    void cleanup()
    {
        m_frame.reset();
        m_settings.reset();
        m_dir.reset();
        QVERIFY2(m_texts.found.isEmpty(), qPrintable(m_texts.found.join(QLatin1Char('\n'))));
    }

    // The menu bar and the context menu that the board and the tray open,
    // with the window's title before and after a puzzle is opened.
    void menusAndTitles()
    {
        m_texts.window(m_frame.get());
        QMenu bar;
        bar.addActions(m_frame->menuBar()->actions());
        m_texts.menu(&bar);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        int popups = 0;
        QTimer popupWalker;
        connect(&popupWalker, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++popups;
                m_texts.menu(menu);
                menu->close();
            }
        });
        popupWalker.start(5);
        QTest::mouseClick(m_frame->board()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseClick(m_frame->tray()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_COMPARE(popups, 2);

        openPuzzle();
        QVERIFY(m_frame->windowTitle().startsWith(QStringLiteral("sample.jzt - ")));
        QVERIFY(m_frame->windowTitle().endsWith(QStringLiteral("% Zoom 100%")));
        m_texts.window(m_frame.get());
    }

    // The dialogs the menus open, the tool windows and the file dialogs.
    void dialogsFromTheMenus()
    {
        openPuzzle();
        ModalWalker walker(m_texts);
        const std::initializer_list<int> commands{kCmdAbout,   kCmdRecords,       kCmdOpenPuzzle,   kCmdOpenPlayFile,
                                                  kCmdSavePlayFile, kCmdBgmOpen, kCmdTogglePreview, kCmdToggleElapsed};
        for (const int id : commands)
            m_frame->action(id)->trigger();
        QCOMPARE(walker.shown.size(), 2);
        QCOMPARE(m_chooser.asked.size(), 8);
        for (const QString& asked : std::as_const(m_chooser.asked))
            m_texts.check(QStringLiteral("file dialog"), asked);
        for (QWidget* tool : {static_cast<QWidget*>(m_frame->findChild<PreviewWindow*>()),
                              static_cast<QWidget*>(m_frame->findChild<ElapsedWindow*>())}) {
            QVERIFY(tool != nullptr);
            m_texts.window(tool);
            QVERIFY2(tool->width() >= titleRoom(*tool), qPrintable(tool->windowTitle()));
        }

        MessageDialog message(std::string("\x83\x65\x83\x58\x83\x67"), m_frame.get());
        m_texts.window(&message);
        QVERIFY(askToSaveChanges(m_frame.get()) == false);
        m_frame->showAutoSaveFailure(QStringLiteral("disk full"));
        m_texts.window(m_frame->findChild<ElapsedWindow*>());
        m_frame->openFromCommandLine(m_dir->filePath(QStringLiteral("missing.jzt")));
        QCOMPARE(walker.shown.size(), 4);

        CutProgress progress(m_frame.get());
        progress.update(1, 10);
        QProgressDialog* bar = m_frame->findChild<QProgressDialog*>();
        QVERIFY(bar != nullptr);
        m_texts.window(bar);
    }

    // The list of unfinished games, with one game, and the question before
    // one is deleted.
    void unfinishedGames()
    {
        GameStore store(m_dir->filePath(QStringLiteral("state")));
        auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, m_clock);
        const PlayPictureParts pictures = WritePlayPictureParts(*doc);
        jigsaw::writeFileAtomically(toFilesystemPath(store.picturesFile(QStringLiteral("1"))), pictures.parts);
        const std::vector<std::uint8_t> head = GameStore::recordHead({}, pictures.size());
        const std::vector<std::uint8_t> fixed = WritePlayFixedData(*doc, 0);
        const std::span<const std::uint8_t> record[] = {head, fixed};
        jigsaw::writeFileAtomically(toFilesystemPath(store.recordFile(QStringLiteral("1"))), record);
        AutoSave autoSave(m_frame->document(), m_clock, store, jigsaw::writeFileAtomically, {});
        ModalWalker walker(m_texts);
        bool asked = false;
        walker.close = [&asked](QWidget* w) {
            auto* list = qobject_cast<UnfinishedGamesDialog*>(w);
            if (list && !std::exchange(asked, true))
                QTimer::singleShot(0, list->findChild<QPushButton*>(QStringLiteral("delete")), &QPushButton::click);
            else
                qobject_cast<QDialog*>(w)->reject();
        };
        runUnfinishedGames(*m_frame, store, autoSave, true);
        QCOMPARE(walker.shown.size(), 3);
    }

    // The end of a game: congratulations, the choice of picture, the panel,
    // the save dialog and the message when no wallpaper can be set.
    void completionDialogs()
    {
        const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
        const QByteArray session = qgetenv("DESKTOP_SESSION");
        qputenv("XDG_CURRENT_DESKTOP", "Nonesuch");
        qputenv("DESKTOP_SESSION", "");
        auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, m_clock);
        ModalWalker walker(m_texts);
        walker.close = [](QWidget* w) {
            if (auto* choice = qobject_cast<FinishedPictureDialog*>(w))
                choice->button(FinishedPictureDialog::Choice::SaveAsWallpaper)->click();
            qobject_cast<QDialog*>(w)->accept();
        };
        m_chooser.nextSave = m_dir->filePath(QStringLiteral("wall.bmp"));
        RunCompletion(nullptr, *doc, m_clock, m_chooser, *m_settings, QStringLiteral("twelve.jzt"));
        QCOMPARE(walker.shown.size(), 4);
        // Saving only, with both formats offered.
        m_chooser.nextSave.clear();
        walker.close = [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); };
        RunCompletion(nullptr, *doc, m_clock, m_chooser, *m_settings, QStringLiteral("twelve.jzt"));
        QCOMPARE(m_chooser.asked.size(), 4);
        for (const QString& asked : std::as_const(m_chooser.asked))
            m_texts.check(QStringLiteral("file dialog"), asked);
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        qputenv("DESKTOP_SESSION", session);
    }

    // Music that cannot be played is told in English.
    void musicErrors()
    {
        CVorpelDoc doc;
        QStringList reports;
        SdlMusicDevice device;
        BackgroundMusic music(doc, device, [&](const QString& text) { reports << text; },
                              [](const QString&) { return QString(); });
        music.playTrack(1);
        music.playFile(m_dir->filePath(QStringLiteral("missing.mid")));
        QFile notMidi(m_dir->filePath(QStringLiteral("text.mid")));
        QVERIFY(notMidi.open(QIODevice::WriteOnly));
        notMidi.write("not a song");
        notMidi.close();
        music.playFile(notMidi.fileName());
        QCOMPARE(reports.size(), 3);
        for (int track = 1; track <= 5; ++track)
            reports << BackgroundMusic::trackTitle(track);
        for (const QString& report : std::as_const(reports))
            m_texts.check(QStringLiteral("BGM"), report);
    }

    // The command line speaks the desktop's language.
    void commandLineFollowsTheLocale()
    {
        const QString where = QStringLiteral("command line");
        m_texts.check(where, parseVorpelCommandLine({QStringLiteral("-x")}).error);
        m_texts.check(where, parseVorpelCommandLine({QStringLiteral("a"), QStringLiteral("b")}).error);
        const QString usage = runVorpel(QStringLiteral("en_US.UTF-8"), {QStringLiteral("--help")}, 0);
        QVERIFY2(usage.contains(QStringLiteral("Usage: vorpel ")), qPrintable(usage));
        const QString bad = runVorpel(QStringLiteral("en_US.UTF-8"), {QStringLiteral("--bogus")}, 2);
        QVERIFY2(bad.contains(QStringLiteral("vorpel: Unknown option --bogus")), qPrintable(bad));
        m_texts.check(QStringLiteral("usage"), usage);
        m_texts.check(QStringLiteral("error"), bad);

        QCOMPARE(runVorpel(QStringLiteral("ja_JP.UTF-8"), {QStringLiteral("--help")}, 0),
                 QStringLiteral("使い方: vorpel [パズルファイル(.jzt) またはプレイファイル(.jpd)]\n"));
        QVERIFY(runVorpel(QStringLiteral("ja_JP.UTF-8"), {QStringLiteral("--bogus")}, 2)
                    .contains(QStringLiteral("vorpel: 不明なオプション --bogus（vorpel --help で使い方を表示します）\n")));
    }

private:
    void openPuzzle()
    {
        const QString path = m_dir->filePath(QStringLiteral("sample.jzt"));
        jigsaw::writeJztFile(path.toStdString(),
                             samplePuzzle(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor));
        // The puzzle's message opens as it is read.
        ModalWalker walker(m_texts);
        m_frame->openFromCommandLine(path);
        QCOMPARE(walker.shown.size(), 1);
    }

    QList<QTranslator*> m_translators;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    FakeClock m_clock;
    MtRandom m_random;
    RecordingSounds m_sounds;
    TitleRecorder m_chooser;
    std::unique_ptr<CMainFrame> m_frame;
    JapaneseTexts m_texts;
};

QTEST_MAIN(EnglishTest)
#include "english_test.moc"
