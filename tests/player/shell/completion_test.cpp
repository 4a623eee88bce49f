#include "completion.h"
#include "congratulation_dialog.h"
#include "dib_samples.h"
#include "document_test_support.h"
#include "finished_picture_dialog.h"
#include "panel_art.h"
#include "panel_dialog.h"
#include "play_file.h"
#include "shell_test_support.h"
#include "vorpel_settings.h"
#include "wallpaper.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using Choice = FinishedPictureDialog::Choice;
using Step = DialogStep;

Step congratulations(QStringList* shown = nullptr, QString* record = nullptr)
{
    return [shown, record](QWidget* w) {
        auto* d = qobject_cast<CongratulationDialog*>(w);
        QVERIFY(d != nullptr);
        if (shown != nullptr)
            *shown = d->shownTime();
        if (record != nullptr)
            *record = d->shownRecord();
        d->accept();
    };
}

Step choose(Choice choice)
{
    return [choice](QWidget* w) {
        auto* d = qobject_cast<FinishedPictureDialog*>(w);
        QVERIFY(d != nullptr);
        QVERIFY(d->button(Choice::Save)->isChecked());
        d->button(choice)->click();
        d->accept();
    };
}

Step escape()
{
    return [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); };
}

// Clicks the given panel and glue buttons (-1: none) and closes with OK or
// Escape. The buttons always start at "no panel" and "no glue".
Step panel(int panelChoice, int glueChoice, bool ok = true)
{
    return [=](QWidget* w) {
        auto* d = qobject_cast<PanelDialog*>(w);
        QVERIFY(d != nullptr);
        QVERIFY(d->panelButton(0)->isChecked() && d->glueButton(0)->isChecked());
        if (panelChoice >= 0)
            d->panelButton(panelChoice)->click();
        if (glueChoice >= 0)
            d->glueButton(glueChoice)->click();
        if (ok)
            d->accept();
        else
            QTest::keyClick(d, Qt::Key_Escape);
    };
}

QColor dibColor(const jigsaw::PackedDib& dib, int x, int y)
{
    const jigsaw::ColorRef c = jigsaw::dibSamples(dib)[static_cast<std::size_t>(y) * dib.width() + x];
    return QColor(jigsaw::redOf(c), jigsaw::greenOf(c), jigsaw::blueOf(c));
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 40 && std::abs(a.green() - b.green()) <= 40 &&
           std::abs(a.blue() - b.blue()) <= 40;
}

}  // namespace

class CompletionTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<VorpelSettings>(m_dir->filePath(QStringLiteral("vorpel.ini")));
        m_doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, m_clock);
        m_chooser = ScriptedChooser();
        setEnv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    }
    void cleanup()
    {
        for (auto it = m_savedEnv.cbegin(); it != m_savedEnv.cend(); ++it)
            qputenv(it.key().constData(), it.value());
        m_savedEnv.clear();
        m_doc.reset();
        m_settings.reset();
        m_dir.reset();
    }

    void timeIsShownAndNothingIsSaved_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("playedMs");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("withEscape");
        QTest::newRow("1 h 2 min 5 s, nothing") << 3600 << 125'400 << QStringList{"1", "2", "5"} << false;
        QTest::newRow("59 s, Escape") << 0 << 59'000 << QStringList{"0", "0", "59"} << true;
    }
    void timeIsShownAndNothingIsSaved()
    {
        QFETCH(int, base);
        QFETCH(int, playedMs);
        QFETCH(bool, withEscape);
        m_doc->SetElapsedBase(base);
        m_clock.tick += static_cast<std::uint64_t>(playedMs);
        QStringList shown;
        DialogAnswerer script({congratulations(&shown), withEscape ? escape() : choose(Choice::Nothing)});
        run();
        QTEST(shown, "shown");
        QVERIFY(script.finished());
        QCOMPARE(script.count(QStringLiteral("PANEL")), 0);
        QVERIFY(m_chooser.asked.isEmpty());
        QCOMPARE(m_doc->GetPlayable(), 0);
        QCOMPARE(m_doc->GetStartTick(), 0u);
        QCOMPARE(m_doc->GetElapsedSeconds(), base + playedMs / 1000);
    }

    // The puzzle's best time follows it into a play file and a renamed copy.
    void bestTimeFollowsThePuzzle()
    {
        const std::vector<std::uint8_t> saved = WritePlayData(*m_doc, m_clock.tick);
        const struct {
            int seconds;
            const char* name;
            QString shown;
        } finishes[] = {
            {125, "twelve.jzt", "最高記録 2分5秒（初めての完成）"},
            {3725, "half.jpd", "最高記録 2分5秒（2 回目の完成）"},
            {59, "renamed.jzt", "最高記録を更新しました！ これまでの最高は 2分5秒（3 回目の完成）"},
        };
        for (const auto& f : finishes) {
            if (m_doc->GetCompleted() == 1 || m_doc->GetPlayable() == 0) {
                m_doc = std::make_unique<CVorpelDoc>();
                RecordingEvents events;
                OpenPlayData(*m_doc, saved, m_clock, events);
            }
            m_clock.tick += static_cast<std::uint64_t>(f.seconds) * 1000;
            QString shown;
            DialogAnswerer script({congratulations(nullptr, &shown), choose(Choice::Nothing)});
            RunCompletion(nullptr, *m_doc, m_clock, m_chooser, *m_settings, QString::fromUtf8(f.name));
            QCOMPARE(shown, f.shown);
        }
        QCOMPARE(readAll(m_dir->filePath(QStringLiteral("vorpel/records.txt"))).split('\n').value(1).split('\t').mid(1),
                 (QList<QByteArray>{"12", "59", "3", "1700000000", "1700000000", "renamed.jzt"}));
    }

    // A damaged records file is kept aside and told, and a new one started;
    // a time that cannot be written is told instead of the best time.
    void recordsFileFaultsAreTold()
    {
        const QString records = m_dir->filePath(QStringLiteral("vorpel/records.txt"));
        QVERIFY(QDir().mkpath(QFileInfo(records).path()));
        writeFile(records, "<html>\n");
        QString shown;
        {
            DialogAnswerer script({congratulations(nullptr, &shown), choose(Choice::Nothing)});
            run();
        }
        const QStringList aside = QDir(QFileInfo(records).path()).entryList({"records.damaged-*.txt"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readAll(QFileInfo(records).dir().filePath(aside[0])), QByteArray("<html>\n"));
        QCOMPARE(shown, QStringLiteral("最高記録 0秒（初めての完成）\n記録のファイルが壊れていたため、「%1」として別に保存し、新しく記録を始めます。")
                            .arg(QFileInfo(records).dir().filePath(aside[0])));
        QVERIFY(readAll(records).startsWith("vorpel-records 1\n"));

        writeFile(m_dir->filePath(QStringLiteral("file")), "");
        setEnv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("file"))));
        DialogAnswerer script({congratulations(nullptr, &shown), choose(Choice::Nothing)});
        run();
        QVERIFY2(shown.startsWith(QStringLiteral("この時間は記録できませんでした（")), qPrintable(shown));
    }

    void panelEscapeKeepsClicksOrEarlierChoices()
    {
        m_doc->SetPanel(2);
        m_doc->SetGlue(1);
        {
            DialogAnswerer script({congratulations(), choose(Choice::Save), panel(-1, -1, false)});
            run();
            QVERIFY(script.finished());
        }
        QCOMPARE(m_doc->GetPanel(), 2);
        QCOMPARE(m_doc->GetGlue(), 1);
        {
            DialogAnswerer script({congratulations(), choose(Choice::Save), panel(3, 0, false)});
            run();
            QVERIFY(script.finished());
        }
        QCOMPARE(m_doc->GetPanel(), 3);
        QCOMPARE(m_doc->GetGlue(), 0);
        QCOMPARE(m_chooser.asked.size(), 2);  // both cancelled: nothing written
        QVERIFY(m_chooser.asked[0].startsWith(QStringLiteral("save JPEG Files (*.jpg);;BITMAP Files (*.bmp) ")));
        QVERIFY2(m_chooser.asked[0].endsWith(QStringLiteral("/twelve.jpg")), qPrintable(m_chooser.asked[0]));
        QVERIFY(QDir(m_dir->path()).entryList({"*.bmp", "*.jpg"}, QDir::Files).isEmpty());
    }

    // Unglued pieces stand on white; glued, the board picture fills the area
    // and a panel frames it.
    void savedPictureShowsGlueAndPanel()
    {
        const QImage plain = saveBmp(QStringLiteral("plain.bmp"), panel(0, 0));
        QCOMPARE(plain.size(), QSize(360, 480));
        QCOMPARE(plain.pixelColor(0, 0), QColor(Qt::white));

        const QImage framed = saveBmp(QStringLiteral("framed.BMP"), panel(3, 1));
        QCOMPARE(framed.size(), QSize(360, 480));
        const jigsaw::PackedDib& board = m_doc->Picture();
        QCOMPARE(framed.pixelColor(0, 0), dibColor(PanelArt(3), 0, 0));
        QCOMPARE(framed.pixelColor(359, 479), dibColor(PanelArt(3), 319, 255));
        QVERIFY(near(framed.pixelColor(180, 240), dibColor(board, board.width() / 2, board.height() / 2)));
        QVERIFY(framed.pixelColor(180, 240) != plain.pixelColor(0, 0));
        QCOMPARE(m_settings->readPath(QStringLiteral("cppath"), {}), m_chooser.nextSave);
    }

    // The finished picture is saved, or set as the wallpaper, in the format
    // its name or the chosen filter says, or the failure is told.
    void picturesAreSavedAsChosen_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("name");    // as typed in the save dialog
        QTest::addColumn<QString>("filter");  // chosen there; the first when empty
        QTest::addColumn<QString>("saved");   // the file written, empty when none
        QTest::addColumn<QString>("told");    // the start of the one message, empty when none
        const int save = int(Choice::Save);
        const int wallpaper = int(Choice::SaveAsWallpaper);
        QTest::newRow("JPEG") << save << "glued.jpeg" << "" << "glued.jpeg" << "";
        QTest::newRow("BMP filter, no extension") << save << "chosen" << "BITMAP Files (*.bmp)" << "chosen.bmp" << "";
        QTest::newRow("missing folder") << save << "missing/x.jpg" << "" << ""
                                        << "「x.jpg」に保存できませんでした。\n"
                                           "保存先のフォルダーがありません。別のフォルダーに保存してください。";
        QTest::newRow("wallpaper on GNOME") << wallpaper << "wall" << "" << "wall.bmp" << "";
        QTest::newRow("wallpaper on an unknown desktop") << wallpaper << "wall.bmp" << "" << "wall.bmp"
                                                         << "壁紙を設定できませんでした";
    }
    void picturesAreSavedAsChosen()
    {
        QFETCH(int, choice);
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, saved);
        QFETCH(QString, told);
        const QString log = m_dir->filePath(QStringLiteral("gsettings.log"));
        writeFile(m_dir->filePath(QStringLiteral("gsettings")),
                  "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + QFile::encodeName(log) + "'\n");
        QVERIFY(QFile(m_dir->filePath(QStringLiteral("gsettings")))
                    .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        setEnv("PATH", QFile::encodeName(m_dir->path()) + ':' + qgetenv("PATH"));
        setEnv("XDG_CURRENT_DESKTOP", told.isEmpty() ? "ubuntu:GNOME" : "Nonesuch");
        setEnv("DESKTOP_SESSION", "");
        m_chooser.nextSave = m_dir->filePath(name);
        m_chooser.nextFilter = filter;
        DialogAnswerer script({congratulations(), choose(Choice(choice)), panel(-1, 1)});
        run();
        QCOMPARE(script.texts.size(), told.isEmpty() ? 0 : 1);
        QVERIFY(told.isEmpty() || script.texts[0].startsWith(told));
        if (saved.isEmpty()) {
            QVERIFY(script.details[0].contains(m_chooser.nextSave));
            QVERIFY(!QFile::exists(m_chooser.nextSave));
            return;
        }
        const QString path = m_dir->filePath(saved);
        QImageReader reader(path);
        QCOMPARE(reader.format(), saved.endsWith(QStringLiteral(".jpeg")) ? QByteArray("jpeg") : QByteArray("bmp"));
        QCOMPARE(reader.read().size(), QSize(360, 480));
        if (choice != int(Choice::SaveAsWallpaper))
            return;
        QVERIFY(m_chooser.asked.value(0).startsWith(QStringLiteral("save Bmp Files (*.bmp) ")));
        QVERIFY(m_chooser.asked.value(0).endsWith(QStringLiteral("/twelve.bmp")));
        if (!told.isEmpty()) {
            QVERIFY(script.texts[0].contains(QDir::toNativeSeparators(path)));
            return;
        }
        const QString uri = QStringLiteral("'file://%1'").arg(path);
        QCOMPARE(QString::fromUtf8(readAll(log)).split('\n', Qt::SkipEmptyParts),
                 (QStringList{"set org.gnome.desktop.background picture-uri " + uri,
                              "set org.gnome.desktop.background picture-uri-dark " + uri,
                              "set org.gnome.desktop.background picture-options 'scaled'"}));
    }

    void namesGetTheirFormat()
    {
        const QString bmpFilter = QStringLiteral("BITMAP Files (*.bmp)");
        const QString jpgFilter = QStringLiteral("JPEG Files (*.jpg)");
        const auto target = [](const QString& name, const QString& filter) {
            const PictureTarget t = pictureTarget(name, filter);
            return std::pair{t.path, t.format};
        };
        QCOMPARE(target("a.JPG", bmpFilter), std::pair(QString("a.JPG"), PictureFormat::Jpeg));
        QCOMPARE(target("a.Bmp", jpgFilter), std::pair(QString("a.Bmp"), PictureFormat::Bmp));
        QCOMPARE(target("a", bmpFilter), std::pair(QString("a.bmp"), PictureFormat::Bmp));
        QCOMPARE(target("a", jpgFilter), std::pair(QString("a.jpg"), PictureFormat::Jpeg));
        QCOMPARE(target("a.png", jpgFilter), std::pair(QString("a.png.jpg"), PictureFormat::Jpeg));
    }

    // The real save dialog: switching to the BMP filter turns a typed
    // ".jpg" into ".bmp" and reports the filter.
    void saveDialogFollowsTheChosenFilter()
    {
        DialogAnswerer script({[](QWidget* w) {
            auto* name = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* types = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(name != nullptr && types != nullptr);
            name->setText(QStringLiteral("shot.jpg"));
            QTest::keyClick(types, Qt::Key_Down);
            QCOMPARE(name->text(), QStringLiteral("shot.bmp"));
            qobject_cast<QDialog*>(w)->accept();
        }});
        DialogFileChooser chooser;
        QString chosen;
        const QString path = chooser.saveFileAs(nullptr, QStringLiteral("保存"), m_dir->path(),
                                                QStringLiteral("JPEG Files (*.jpg);;BITMAP Files (*.bmp)"), chosen);
        QCOMPARE(path, m_dir->filePath(QStringLiteral("shot.bmp")));
        QCOMPARE(chosen, QStringLiteral("BITMAP Files (*.bmp)"));
    }

    void desktopsAndTheirCommands()
    {
        QCOMPARE(DetectDesktop("ubuntu:GNOME", ""), DesktopKind::Gnome);
        QCOMPARE(DetectDesktop("X-Cinnamon", ""), DesktopKind::Cinnamon);
        QCOMPARE(DetectDesktop("MATE", ""), DesktopKind::Mate);
        QCOMPARE(DetectDesktop("KDE", ""), DesktopKind::Kde);
        QCOMPARE(DetectDesktop("", "plasma"), DesktopKind::Kde);
        QCOMPARE(DetectDesktop("XFCE", ""), DesktopKind::Xfce);
        QCOMPARE(DetectDesktop("sway", "sway"), DesktopKind::Unknown);
        QVERIFY(WallpaperPlans(DesktopKind::Unknown, "/p.bmp").isEmpty());
        QCOMPARE(WallpaperPlans(DesktopKind::Kde, "/p.bmp").value(0).value(0),
                 (WallpaperCommand{"plasma-apply-wallpaperimage", {"/p.bmp"}}));
        QCOMPARE(WallpaperPlans(DesktopKind::Mate, "/it's.bmp").value(0).value(0).arguments,
                 (QStringList{"set", "org.mate.background", "picture-filename", "'/it\\'s.bmp'"}));

        const WallpaperPlan xfce = XfceWallpaperCommands(
            "/backdrop/screen0/monitor0/workspace0/last-image\n/backdrop/screen0/monitor0/workspace0/color-style\n"
            "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n",
            "/p.bmp");
        QCOMPARE(xfce.size(), 2);
        QCOMPARE(xfce[1].arguments, (QStringList{"-c", "xfce4-desktop", "-p",
                                                 "/backdrop/screen0/monitorHDMI-1/workspace1/last-image", "-s",
                                                 "/p.bmp"}));
    }

    void panelArtIsAFrameAroundAWhiteWindow()
    {
        const jigsaw::PackedDib mask = PanelMask();
        QCOMPARE((std::tuple{mask.width(), mask.height(), mask.bitCount()}), (std::tuple{320, 256, 8}));
        const auto inFrame = [](int x, int y) { return x <= 10 || x >= 308 || y <= 10 || y >= 245; };
        const std::vector<jigsaw::ColorRef> m = jigsaw::dibSamples(mask);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 320; ++x)
                QCOMPARE(m[static_cast<std::size_t>(y) * 320 + x], inFrame(x, y) ? 0xFFFFFFu : 0u);

        for (int n = 1; n <= 3; ++n) {
            const jigsaw::PackedDib art = PanelArt(n);
            QCOMPARE((std::tuple{art.width(), art.height(), art.bitCount()}), (std::tuple{320, 256, 8}));
            QVERIFY(art.colorCount() <= 256);
            const std::vector<jigsaw::ColorRef> a = jigsaw::dibSamples(art);
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 320; ++x)
                    QCOMPARE(a[static_cast<std::size_t>(y) * 320 + x] == 0xFFFFFFu, !inFrame(x, y));
        }
        QVERIFY(dibColor(PanelArt(1), 100, 5) != dibColor(PanelArt(3), 100, 5));
        QVERIFY(PanelArt(0).empty());
    }

private:
    // Sets an environment variable until the test's end.
    void setEnv(const char* name, const QByteArray& value)
    {
        if (!m_savedEnv.contains(name))
            m_savedEnv.insert(name, qgetenv(name));
        qputenv(name, value);
    }

    void run() { RunCompletion(nullptr, *m_doc, m_clock, m_chooser, *m_settings, QStringLiteral("twelve.jzt")); }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Saves through the save-only branch with the given PANEL answer and
    // reads the file back.
    QImage saveBmp(const QString& name, const Step& panelStep)
    {
        m_chooser.nextSave = m_dir->filePath(name);
        DialogAnswerer script({congratulations(), choose(Choice::Save), panelStep});
        run();
        [&] { QVERIFY(script.texts.isEmpty()); }();
        QImageReader reader(m_chooser.nextSave);
        [&] { QCOMPARE(reader.format(), QByteArray("bmp")); }();
        return reader.read();
    }

    FakeClock m_clock;
    ScriptedChooser m_chooser;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    std::unique_ptr<CVorpelDoc> m_doc;
    QMap<QByteArray, QByteArray> m_savedEnv;
};

QTEST_MAIN(CompletionTest)
#include "completion_test.moc"
