#include "command_ids.h"
#include "creation_flow.h"
#include "data_format_dialog.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "locale_environment.h"
#include "main_frame.h"
#include "message_dialog.h"
#include "preview_window.h"
#include "test_pictures.h"
#include "translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// Kana (half-width too), CJK ideographs and full-width punctuation.
bool hasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

QString nameOf(const QObject* o)
{
    return QString::fromLatin1(o->metaObject()->className()) + QLatin1Char(' ') + o->objectName();
}

// Every visible text of a widget and its children that is still Japanese,
// each as "widget: text".
class JapaneseTexts {
public:
    void check(const QString& where, const QString& text)
    {
        if (hasJapanese(text))
            found << where + QStringLiteral(": ") + text;
    }

    void checkMenu(const QString& where, const QMenu* menu)
    {
        check(where + QStringLiteral(" title"), menu->title());
        for (const QAction* a : menu->actions()) {
            check(where + QStringLiteral(" item"), a->text());
            check(where + QStringLiteral(" tooltip"), a->toolTip());
            if (a->menu() != nullptr)
                checkMenu(where + QLatin1Char('/') + a->text(), a->menu());
        }
    }

    void checkWidget(const QWidget* w)
    {
        const QString where = nameOf(w);
        check(where + QStringLiteral(" title"), w->windowTitle());
        check(where + QStringLiteral(" tooltip"), w->toolTip());
        if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            check(where, b->text());
        if (const auto* l = qobject_cast<const QLabel*>(w))
            check(where, l->text());
        if (const auto* g = qobject_cast<const QGroupBox*>(w))
            check(where, g->title());
        if (const auto* box = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < box->count(); ++i)
                check(where, box->itemText(i));
        if (const auto* m = qobject_cast<const QMessageBox*>(w)) {
            check(where, m->text());
            check(where, m->informativeText());
        }
        if (const auto* p = qobject_cast<const QProgressDialog*>(w))
            check(where, p->labelText());
        if (const auto* d = qobject_cast<const QFileDialog*>(w))
            for (const QString& filter : d->nameFilters())
                check(where + QStringLiteral(" filter"), filter);
        if (const auto* m = qobject_cast<const QMenu*>(w))
            checkMenu(where, m);
        for (const QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            checkWidget(child);
    }

    QStringList found;
};

// Checks the next modal dialog that opens, then closes it.
void checkNextDialog(JapaneseTexts& texts, QString* shown = nullptr)
{
    QTimer::singleShot(0, [&texts, shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        texts.checkWidget(dialog);
        if (shown != nullptr)
            *shown = nameOf(dialog);
        if (auto* d = qobject_cast<QDialog*>(dialog))
            d->reject();
        else
            dialog->close();
    });
}

// The access keys of one menu's items ("&F" gives f), repeated ones twice.
QString accessKeys(const QList<QAction*>& actions)
{
    QString keys;
    for (const QAction* a : actions) {
        const qsizetype at = a->text().indexOf(QLatin1Char('&'));
        if (at >= 0 && at + 1 < a->text().size())
            keys += a->text().at(at + 1).toLower();
    }
    return keys;
}

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
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<KestraSettings>(m_dir->filePath(QStringLiteral("kestra.ini")));
        m_doc = std::make_unique<CKestraDoc>();
        m_frame = std::make_unique<CMainFrame>(*m_doc, *m_settings);
        m_frame->show();
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        m_frame->installPicture(kestra::pictureFromImage(image), QRect(0, 0, 1024, 768));
    }
    void cleanup()
    {
        m_frame.reset();
        m_doc.reset();
        m_settings.reset();
        m_dir.reset();
    }

    void windowsAndMenus()
    {
        JapaneseTexts texts;
        texts.checkWidget(m_frame.get());
        texts.checkWidget(m_frame->preview());
        const QList<QMenu*> menus = m_frame->menuBar()->findChildren<QMenu*>();
        QVERIFY(menus.size() >= 5);
        for (QMenu* menu : menus) {
            menu->popup(QPoint(0, 0));
            texts.checkWidget(menu);
            menu->hide();
        }
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));

        // Access keys reach every item of the menu bar and of the menus that
        // have them, each once.
        const auto unique = [](const QString& keys) {
            for (const QChar k : keys)
                if (keys.count(k) != 1)
                    return false;
            return true;
        };
        const QString bar = accessKeys(m_frame->menuBar()->actions());
        QCOMPARE(bar.size(), m_frame->menuBar()->actions().size());
        QVERIFY2(unique(bar), qPrintable(bar));
        for (QMenu* menu : menus) {
            const QString keys = accessKeys(menu->actions());
            QVERIFY2(unique(keys), qPrintable(menu->title() + QLatin1Char(' ') + keys));
        }
    }

    void aboutAndFileDialogs()
    {
        JapaneseTexts texts;
        QString shown;
        checkNextDialog(texts, &shown);
        m_frame->action(kestra::cmd::kAbout)->trigger();
        QVERIFY(shown.startsWith(QLatin1String("AboutDialog")));

        checkNextDialog(texts, &shown);
        m_frame->action(kestra::cmd::kOpenPicture)->trigger();
        QVERIFY(shown.startsWith(QLatin1String("QFileDialog")));

        checkNextDialog(texts, &shown);
        kestra::defaultCreationPrompts().chooseSaveFile(m_frame.get(), m_dir->path());
        QVERIFY(shown.startsWith(QLatin1String("QFileDialog")));
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    // The dialogs of data creation in their order, for an 8-bit picture:
    // the question, the three stages' progress, the data format, the message
    // and its refusal of a line.
    void dataCreationDialogs()
    {
        const QString path = m_dir->filePath(QStringLiteral("indexed.bmp"));
        QVERIFY(writeBytes(path, makeBmp8(160, 120, cubePalette(), std::vector<std::uint8_t>(160 * 120, 7))));
        m_frame->loadPictureFile(path);
        QCOMPARE(m_doc->m_infoHeader.biBitCount, 8);

        JapaneseTexts texts;
        QStringList stages;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<QProgressDialog*>(w);
                    p != nullptr && p->isVisible() && !stages.contains(p->labelText())) {
                    stages << p->labelText();
                    texts.checkWidget(p);
                }
        });
        watch.start(0);

        const kestra::CreationPrompts defaults = kestra::defaultCreationPrompts();
        kestra::CreationPrompts prompts = defaults;
        QTimer::singleShot(0, [&texts] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            texts.checkWidget(box);
            for (QAbstractButton* b : box->buttons())
                if (box->buttonRole(b) == QMessageBox::AcceptRole)
                    return b->click();
            QFAIL("no OK button");
        });
        prompts.chooseFormat = [&](QWidget* parent, CKestraDoc& doc) {
            QTimer::singleShot(0, [&texts] {
                auto* d = qobject_cast<DataFormatDialog*>(QApplication::activeModalWidget());
                QVERIFY(d != nullptr);
                texts.checkWidget(d);
                d->okButton()->click();
            });
            return defaults.chooseFormat(parent, doc);
        };
        prompts.editMessage = [](QWidget*, CKestraDoc&) { return false; };
        kestra::runDataCreation(m_frame.get(), *m_doc, *m_settings, prompts);
        watch.stop();
        QCOMPARE(stages.size(), 3);

        QTimer::singleShot(0, [&texts] {
            auto* d = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
            QVERIFY(d != nullptr);
            texts.checkWidget(d);
            // The editor's context menu is the only one the maker has.
            const std::unique_ptr<QMenu> menu(d->editor()->createStandardContextMenu());
            texts.checkWidget(menu.get());
            // A character CP932 cannot hold is refused with a message box,
            // whose text comes from the format library.
            d->editor()->setPlainText(QStringLiteral("\U0001F600"));
            QTimer::singleShot(0, [&texts] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                texts.check(QStringLiteral("message refusal title"), box->windowTitle());
                box->accept();
            });
            d->okButton()->click();
            d->reject();
        });
        defaults.editMessage(m_frame.get(), *m_doc);
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    void pictureErrors()
    {
        std::array<jigsaw::RGBQUAD, 256> palette{};
        const QString cases[][2] = {
            {QStringLiteral("broken.bmp"), QStringLiteral("BM not a picture")},
            {QStringLiteral("broken.jpg"), QStringLiteral("\xff\xd8\xff not a picture")},
            {QStringLiteral("broken.png"), QStringLiteral("not a picture at all")},
            {QStringLiteral("missing.bmp"), QString()},
        };
        JapaneseTexts texts;
        for (const auto& c : cases) {
            const QString path = m_dir->filePath(c[0]);
            const QByteArray bytes = c[1].toLatin1();
            if (!bytes.isEmpty())
                QVERIFY(writeBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
            QString shown;
            checkNextDialog(texts, &shown);
            m_frame->loadPictureFile(path);
            QVERIFY2(shown.startsWith(QLatin1String("QMessageBox")), qPrintable(c[0]));
        }
        // A 4-bit picture, a 16-pixel one and a picture too large.
        std::vector<std::uint8_t> fourBit = bmpHeaders(40, 40, 4, 54 + 64);
        fourBit.resize(54 + 64 + 20 * 40);
        std::vector<std::uint8_t> tiny = makeBmp8(16, 16, palette, std::vector<std::uint8_t>(256));
        std::vector<std::uint8_t> huge = bmpHeaders(70000, 40, 24, 54);
        huge.resize(54 + 1000);
        for (const auto& [name, bytes] : {std::pair{"depth.bmp", fourBit}, {"tiny.bmp", tiny}, {"huge.bmp", huge}}) {
            const QString path = m_dir->filePath(QString::fromLatin1(name));
            QVERIFY(writeBytes(path, bytes));
            QString shown;
            checkNextDialog(texts, &shown);
            m_frame->loadPictureFile(path);
            QVERIFY2(shown.startsWith(QLatin1String("QMessageBox")), name);
        }
        QVERIFY2(texts.found.isEmpty(), qPrintable(texts.found.join(QLatin1Char('\n'))));
    }

    // The command line speaks the desktop's language: usage, a refused
    // option and a failed batch run.
    void commandLineFollowsTheLocale()
    {
        const QString missing = m_dir->filePath(QStringLiteral("missing.bmp"));
        const QString out = m_dir->filePath(QStringLiteral("out.jzt"));
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
        QCOMPARE(runKestra(QStringLiteral("ja_JP.UTF-8"), {QStringLiteral("--bogus")}).err,
                 QStringLiteral(
                     "kestra: 「--bogus」というオプションはありません。（kestra --help で使い方を表示します）\n"));
    }

private:
    QList<QTranslator*> m_translators;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KestraSettings> m_settings;
    std::unique_ptr<CKestraDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(KestraEnglishTest)
#include "kestra_english_test.moc"
