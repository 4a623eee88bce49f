#include "command_ids.h"
#include "creation_flow.h"
#include "data_format_dialog.h"
#include "geometry.h"
#include "japanese_text.h"
#include "locale_environment.h"
#include "maker_window.h"
#include "message_dialog.h"
#include "preview_window.h"
#include "test_pictures.h"
#include "translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <string_view>

namespace {

struct Run {
    int exitCode;
    QString out;
    QString err;
};

// Runs the maker with `args` under the locale `lang`.
Run runKestra(const QString& lang, const QStringList& args)
{
    QProcess p;
    p.setProcessEnvironment(localeEnvironment(lang));
    p.start(QStringLiteral(KESTRA_PATH), args);
    if (!p.waitForFinished(60000))
        return {-1, {}, {}};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

// With the English catalogue loaded, every menu, window, dialog and message
// box of the maker shows English only.
class KestraEnglishTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_translators = installTranslations(QStringLiteral("kestra"), UiLanguage::English, QStringLiteral(KESTRA_DIR));
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
        m_maker = std::make_unique<Maker>();
        m_maker->frame.show();
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        m_maker->frame.installPicture(kestra::pictureFromImage(image), QRect(0, 0, 1024, 768));
    }
    void cleanup() { m_maker.reset(); }

    void windowsAndMenus()
    {
        JapaneseTexts texts;
        texts.window(&m_maker->frame);
        texts.window(m_maker->frame.preview());
        const QList<QMenu*> menus = m_maker->frame.menuBar()->findChildren<QMenu*>();
        QVERIFY(menus.size() >= 5);
        for (QMenu* menu : menus) {
            menu->popup(QPoint(0, 0));
            texts.window(menu);
            menu->hide();
        }
        // Access keys reach every item of the menu bar, each once.
        QMenu bar;
        bar.addActions(m_maker->frame.menuBar()->actions());
        texts.menu(&bar);
        for (const QAction* a : bar.actions())
            QVERIFY2(!QKeySequence::mnemonic(a->text()).isEmpty(), qPrintable(a->text()));
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    void aboutAndFileDialogs()
    {
        JapaneseTexts texts;
        ModalWalker walker(texts);
        m_maker->frame.action(kestra::cmd::kAbout)->trigger();
        m_maker->frame.action(kestra::cmd::kOpenPicture)->trigger();
        kestra::defaultCreationPrompts().chooseSaveFile(&m_maker->frame, m_maker->dir.path(),
                                                        QStringLiteral("photo.jzt"));
        QCOMPARE(walker.shown.size(), 3);
        QVERIFY(walker.shown[0].startsWith(QLatin1String("AboutDialog")));
        QVERIFY(walker.shown[1].startsWith(QLatin1String("QFileDialog")));
        QVERIFY(walker.shown[2].startsWith(QLatin1String("QFileDialog")));
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    // The dialogs of data creation in their order, for an 8-bit picture:
    // the question, the three stages' progress, the data format, the message
    // and its refusal of a line.
    void dataCreationDialogs()
    {
        const QString path = m_maker->dir.filePath(QStringLiteral("indexed.bmp"));
        QVERIFY(writeBytes(path, makeBmp8(160, 120, cubePalette(), std::vector<std::uint8_t>(160 * 120, 7))));
        m_maker->frame.loadPictureFile(path);
        QCOMPARE(m_maker->doc.m_infoHeader.biBitCount, 8);

        JapaneseTexts texts;
        QStringList stages;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<QProgressDialog*>(w);
                    p != nullptr && p->isVisible() && !stages.contains(p->labelText())) {
                    stages << p->labelText();
                    texts.window(p);
                }
        });
        watch.start(0);

        const kestra::CreationPrompts defaults = kestra::defaultCreationPrompts();
        kestra::CreationPrompts prompts = defaults;
        QTimer::singleShot(0, [&texts] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            texts.window(box);
            for (QAbstractButton* b : box->buttons())
                if (box->buttonRole(b) == QMessageBox::AcceptRole)
                    return b->click();
            QFAIL("no OK button");
        });
        prompts.chooseFormat = [&](QWidget* parent, CKestraDoc& doc) {
            QTimer::singleShot(0, [&texts] {
                auto* d = qobject_cast<DataFormatDialog*>(QApplication::activeModalWidget());
                QVERIFY(d != nullptr);
                texts.window(d);
                d->okButton()->click();
            });
            return defaults.chooseFormat(parent, doc);
        };
        prompts.editMessage = [](QWidget*, CKestraDoc&) { return false; };
        kestra::runDataCreation(&m_maker->frame, m_maker->doc, m_maker->settings, prompts);
        watch.stop();
        QCOMPARE(stages.size(), 3);

        QTimer::singleShot(0, [&texts] {
            auto* d = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
            QVERIFY(d != nullptr);
            texts.window(d);
            // The editor's context menu is the only one the maker has.
            const std::unique_ptr<QMenu> menu(d->editor()->createStandardContextMenu());
            texts.window(menu.get());
            // A character CP932 cannot hold is refused, a line too long is
            // cut only when the user agrees: each with a message box.
            for (const QString& line : {QStringLiteral("\U0001F600"), QString(150, QLatin1Char('a'))}) {
                d->editor()->setPlainText(line);
                QTimer::singleShot(0, [&texts] {
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    QVERIFY(box != nullptr);
                    texts.window(box);
                    box->reject();
                });
                d->okButton()->click();
            }
            d->reject();
        });
        defaults.editMessage(&m_maker->frame, m_maker->doc);
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    void pictureErrors()
    {
        const auto text = [](std::string_view t) { return std::vector<std::uint8_t>(t.begin(), t.end()); };
        // Besides broken and missing files, a 4-bit picture, a 16-pixel one
        // and a picture too large.
        std::vector<std::uint8_t> fourBit = bmpHeaders(40, 40, 4, 54 + 64);
        fourBit.resize(54 + 64 + 20 * 40);
        std::vector<std::uint8_t> huge = bmpHeaders(70000, 40, 24, 54);
        huge.resize(54 + 1000);
        const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
            {"broken.bmp", text("BM not a picture")},
            {"broken.jpg", text("\xff\xd8\xff not a picture")},
            {"broken.png", text("not a picture at all")},
            {"missing.bmp", {}},
            {"depth.bmp", fourBit},
            {"tiny.bmp", makeBmp8(16, 16, cubePalette(), std::vector<std::uint8_t>(256))},
            {"huge.bmp", huge},
        };
        JapaneseTexts texts;
        ModalWalker walker(texts);
        for (const auto& [name, bytes] : cases) {
            const QString path = m_maker->dir.filePath(QString::fromLatin1(name));
            QVERIFY(bytes.empty() || writeBytes(path, bytes));
            m_maker->frame.loadPictureFile(path);
            QVERIFY2(walker.shown.size() == 1 && walker.shown.takeFirst().startsWith(QLatin1String("QMessageBox")),
                     name);
        }
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    // The command line speaks the desktop's language: usage, a refused
    // option and a failed batch run.
    void commandLineFollowsTheLocale()
    {
        const QString missing = m_maker->dir.filePath(QStringLiteral("missing.bmp"));
        const QString out = m_maker->dir.filePath(QStringLiteral("out.jzt"));
        const QList<QStringList> runs = {
            {QStringLiteral("--help")},
            {QStringLiteral("--size"), QStringLiteral("99")},
            {QStringLiteral("--bogus")},
            {QStringLiteral("--output"), out, missing},
        };
        for (const QStringList& args : runs) {
            const Run en = runKestra(QStringLiteral("en_US.UTF-8"), args);
            const Run ja = runKestra(QStringLiteral("ja_JP.UTF-8"), args);
            const QString enText = en.out + en.err;
            const QString jaText = ja.out + ja.err;
            QVERIFY2(!enText.isEmpty() && !hasJapanese(enText), qPrintable(enText));
            QVERIFY2(hasJapanese(jaText), qPrintable(jaText));
            QCOMPARE(en.exitCode, ja.exitCode);
        }
        // --help names the puzzle of every --size number.
        const QString help = runKestra(QStringLiteral("en_US.UTF-8"), {QStringLiteral("--help")}).out;
        for (const jigsaw::PuzzleSize& size : jigsaw::puzzleSizes()) {
            const jigsaw::PuzzleGeometry& g = size.geometry;
            const QString line = QStringLiteral("%1: %2 pieces (%3 × %4)").arg(size.sizeIndex).arg(g.pieceCount());
            QVERIFY2(help.contains(line.arg(g.cols).arg(g.rows)), qPrintable(help));
        }
        QCOMPARE(runKestra(QStringLiteral("ja_JP.UTF-8"), {QStringLiteral("--bogus")}).err,
                 QStringLiteral(
                     "kestra: 「--bogus」というオプションはありません。（kestra --help で使い方を表示します）\n"));
    }

private:
    QList<QTranslator*> m_translators;
    std::unique_ptr<Maker> m_maker;
};

QTEST_MAIN(KestraEnglishTest)
#include "kestra_english_test.moc"
