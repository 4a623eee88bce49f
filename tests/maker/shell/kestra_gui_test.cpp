#include "command_ids.h"
#include "creation_flow.h"
#include "data_format_dialog.h"
#include "file_patterns.h"
#include "jzt_file.h"
#include "kestra_doc.h"
#include "kestra_settings.h"
#include "kestra_view.h"
#include "main_frame.h"
#include "maker_window.h"
#include "message_dialog.h"
#include "preview_window.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QRect kScreen(0, 0, 1024, 768);

kestra::LoadedPicture picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    return kestra::pictureFromImage(image);
}

// Runs `answer` on the next modal dialog that opens.
template <class Dialog, class F>
void whenDialogOpens(F answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        answer(dialog);
    });
}

}  // namespace

class KestraGuiTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<KestraSettings>(m_dir->filePath(QStringLiteral("kestra.ini")));
        m_doc = std::make_unique<CKestraDoc>();
        m_frame = std::make_unique<CMainFrame>(*m_doc, *m_settings);
    }
    void cleanup()
    {
        m_frame.reset();
        m_doc.reset();
        m_settings.reset();
        m_dir.reset();
    }

    void firstStartUsesDefaultsAndRemembersTheWindow()
    {
        m_frame->show();
        QCOMPARE(m_frame->pos(), QPoint(0, 0));
        QCOMPARE(m_frame->size(), QSize(640, 480));
        QVERIFY(m_frame->preview() != nullptr);
        QCOMPARE(m_frame->preview()->pictureRect().size(), QSize(184, 232));
        QCOMPARE(m_frame->preview()->size(), QSize(214, 282));

        m_frame->setGeometry(30, 40, 640, 480);
        m_frame->close();
        const QSettings ini(m_settings->path(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Kestra_Section/rgleft")).toInt(), 30);
        QCOMPARE(ini.value(QStringLiteral("Kestra_Section/rgbottom")).toInt(), 520);
        QCOMPARE(m_settings->readMainRect(QRect()), QRect(30, 40, 640, 480));

        QSettings(m_settings->path(), QSettings::IniFormat).setValue(QStringLiteral("Kestra_Section/rgtop"), "abc");
        QCOMPARE(m_settings->readInt(QStringLiteral("rgtop"), 7), 0);
        QCOMPARE(m_settings->readInt(QStringLiteral("missing"), 7), 7);
    }

    void pasteNeedsAPictureOnTheClipboard()
    {
        m_frame->show();
        QGuiApplication::clipboard()->clear();
        m_frame->refreshCommands();
        QVERIFY(!m_frame->action(kestra::cmd::kPaste)->isEnabled());
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QGuiApplication::clipboard()->setImage(image);
        m_frame->refreshCommands();
        QVERIFY(m_frame->action(kestra::cmd::kPaste)->isEnabled());
        m_frame->action(kestra::cmd::kPaste)->trigger();
        QVERIFY(m_doc->m_bPictureLoaded);
        QCOMPARE(m_doc->m_imgPicture.size(), QSize(200, 100));
        QCOMPARE(m_doc->m_infoHeader.biBitCount, 24);
        QCOMPARE(m_frame->view()->size(), QSize(200, 100));
    }

    // Pictures that cannot be used, and a puzzle that cannot be saved, are
    // told in plain words naming the file once, the technical reason in the
    // box's details; the picture loaded before stays.
    void failuresAreToldInPlainWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("detail");
        QByteArray tiny;
        QBuffer buffer(&tiny);
        QImage image(10, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "BMP"));
        QTest::newRow("damaged BMP") << "broken.bmp" << QByteArray("BM not a picture") << "は BMP ファイルとして読めません"
                                     << "途中で切れています";
        QTest::newRow("text") << "notes.txt" << QByteArray("A shopping list.\n") << "は画像ファイルとして読めません"
                              << "";
        QTest::newRow("too small") << "tiny.bmp" << tiny << "は小さすぎてパズルを作れません" << "幅 10 × 高さ 8";
        QTest::newRow("missing") << "gone.jpg" << QByteArray() << "を開けません" << "";
        QTest::newRow("puzzle into no folder") << "missing/out.jzt" << QByteArray() << "に保存できませんでした"
                                               << "missing/out.jzt";
    }
    void failuresAreToldInPlainWords()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, said);
        QFETCH(QString, detail);
        m_frame->show();
        m_frame->installPicture(picture(640, 480), kScreen);
        const KRect frame = m_doc->m_rcFrame;
        const QString path = m_dir->filePath(file);
        QFile written(path);
        if (!content.isEmpty())
            QVERIFY(written.open(QIODevice::WriteOnly) && written.write(content) == content.size());
        written.close();

        QString title, text, details;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                details = box->detailedText();
                box->accept();
            }
        });
        poll.start(5);
        if (file.endsWith(QLatin1String(".jzt"))) {
            QVERIFY(kestra::runDataCreation(m_frame.get(), *m_doc, *m_settings, agreeingPrompts(path)).isEmpty());
            QCOMPARE(title, QStringLiteral("データ作成"));
        } else {
            m_frame->loadPictureFile(path);
            QCOMPARE(title, QStringLiteral("画像の読み込み"));
        }
        const QString name = file.section(QLatin1Char('/'), -1);
        QVERIFY2(text.startsWith(QStringLiteral("「%1」%2").arg(name, said)), qPrintable(text));
        QCOMPARE(text.count(name), 1);
        QVERIFY2(!text.contains(m_dir->path()), qPrintable(text));
        QVERIFY2(!details.isEmpty() && details.contains(detail), qPrintable(details));
        QCOMPARE(m_doc->m_imgPicture.size(), QSize(640, 480));
        QCOMPARE(m_doc->m_rcFrame, frame);
    }

    void sizeMenuChecksOneSizeAndNeedsAPicture()
    {
        m_frame->show();
        const auto checkedIds = [this] {
            QList<int> ids;
            for (const auto& c : kestra::cmd::kSizeCommands)
                if (m_frame->action(c.id)->isChecked())
                    ids << c.id;
            return ids;
        };
        QCOMPARE(checkedIds(), QList<int>{32779});
        for (const auto& c : kestra::cmd::kSizeCommands)
            QVERIFY(!m_frame->action(c.id)->isEnabled());
        QVERIFY(!m_frame->action(kestra::cmd::kCreateData)->isEnabled());
        QVERIFY(!m_frame->action(kestra::cmd::kLockRatio)->isEnabled());

        m_frame->installPicture(picture(640, 480), kScreen);
        QVERIFY(m_frame->action(32787)->isEnabled());
        m_frame->action(32787)->trigger();  // 3 × 4
        QCOMPARE(checkedIds(), QList<int>{32787});
        QCOMPARE(m_doc->m_nSizeIndex, 6);
        m_frame->action(32798)->trigger();  // 40 × 25
        QCOMPARE(m_frame->preview()->size(), QSize(518, 358));
        QCOMPARE(m_frame->preview()->pictureRect().size(), QSize(488, 308));
        // 1220 × 770 from a 638 × 393 frame: said beside the menus.
        QCOMPARE(m_frame->enlargementWarning(), QStringLiteral("枠が小さく 1.94 倍に拡大されます（ぼやけます）"));
    }

    // A picture loaded gets the default frame, which locking the ratio again
    // brings back.
    void loadedPictureGetsTheDefaultFrameAndLockRestoresIt()
    {
        m_frame->show();
        m_frame->installPicture(picture(1000, 500), kScreen);
        QCOMPARE(m_frame->pos(), QPoint(0, 0));
        QCOMPARE(m_frame->view()->size(), QSize(1000, 500));
        QCOMPARE(m_doc->m_rcFrameView, (KRect{1, 1, 389, 491}));
        QVERIFY(m_frame->action(kestra::cmd::kCreateData)->isEnabled());
        QAction* lock = m_frame->action(kestra::cmd::kLockRatio);
        QVERIFY(lock->isChecked());
        lock->trigger();
        QVERIFY(m_doc->m_bFreeStretch);
        QVERIFY(!lock->isChecked());
        m_doc->m_rcFrameView = {10, 10, 100, 100};
        lock->trigger();
        QVERIFY(!m_doc->m_bFreeStretch);
        QCOMPARE(m_doc->m_rcFrameView, (KRect{1, 1, 389, 491}));
    }

    void mouseMovesAndResizesTheFrameOnTheView()
    {
        m_frame->show();
        m_frame->installPicture(picture(1000, 500), kScreen);
        CKestraView* view = m_frame->view();

        QTest::mouseMove(view, QPoint(600, 300));
        QCOMPARE(view->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(view, QPoint(200, 200));
        QCOMPARE(view->cursor().shape(), Qt::SizeAllCursor);
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 200));
        QTest::mouseMove(view, QPoint(250, 205));
        QCOMPARE(m_doc->m_rcFrameView, (KRect{51, 6, 439, 496}));
        QCOMPARE(m_doc->m_rcFrame, (KRect{1, 1, 389, 483}));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(250, 205));
        QCOMPARE(m_doc->m_rcFrame, (KRect{51, 6, 439, 488}));

        // The bottom-right handle, 2 pixels outside the frame, dragged
        // inwards along the diagonal; where the corner lands is the frame
        // drag's own test.
        QTest::mouseMove(view, QPoint(441, 498));
        QCOMPARE(view->cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(441, 498));
        QTest::mouseMove(view, QPoint(250, 260));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(250, 260));
        QCOMPARE(m_doc->m_rcFrame, (KRect{51, 6, 252, 252}));
    }

    // A line too long and a fourth line are lost only when the user says so:
    // asked first, the user fixes the text, asked again, cuts it.
    void messageDialogCutsLinesAndEscapeKeepsThePrevious()
    {
        const kestra::CreationPrompts prompts = kestra::defaultCreationPrompts();
        QStringList warnings;
        whenDialogOpens<MessageDialog>([&warnings](MessageDialog* d) {
            QVERIFY(d->yesButton()->isChecked());
            QVERIFY(d->editor()->toPlainText().isEmpty());
            d->editor()->setPlainText(QString(150, QLatin1Char('a')) +
                                      QStringLiteral("\nこんにちは\n三行目\n四行目"));
            d->noButton()->setChecked(true);
            const auto answer = [&warnings](const QString& button) {
                whenDialogOpens<QMessageBox>([&warnings, button](QMessageBox* box) {
                    warnings << box->text();
                    for (QAbstractButton* b : box->buttons())
                        if (b->text() == button)
                            b->click();
                });
            };
            answer(QStringLiteral("直す"));
            d->okButton()->click();
            QVERIFY(d->isVisible());
            answer(QStringLiteral("切り詰めて使う"));
            d->okButton()->click();
        });
        prompts.editMessage(m_frame.get(), *m_doc);
        QCOMPARE(m_doc->m_szMessage[0], std::string(100, 'a'));
        QCOMPARE(QString::fromStdString(m_doc->m_szMessage[1]), QStringLiteral("こんにちは"));
        QCOMPARE(QString::fromStdString(m_doc->m_szMessage[2]), QStringLiteral("三行目"));
        QVERIFY(!m_doc->m_bShowMessageOnOpen);
        QCOMPARE(warnings.size(), 2);
        QVERIFY2(warnings[0].contains(QStringLiteral("1 行目")) && warnings[0].contains(QStringLiteral("4 行目")),
                 qPrintable(warnings[0]));

        whenDialogOpens<MessageDialog>([](MessageDialog* d) {
            d->editor()->setPlainText(QStringLiteral("別のメッセージ"));
            d->yesButton()->setChecked(true);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(prompts.editMessage(m_frame.get(), *m_doc));
        QCOMPARE(m_doc->m_szMessage[0], std::string(100, 'a'));
        QVERIFY(!m_doc->m_bShowMessageOnOpen);
    }

    void dataCreationWritesTheChosenFormat()
    {
        m_frame->show();
        m_frame->installPicture(picture(640, 480), kScreen);
        m_doc->m_szMessage[0] = "テスト";
        m_doc->m_strDataPath = m_dir->path() + QLatin1Char('/');
        QStringList asked;
        const QString target = m_dir->filePath(QStringLiteral("out.jzt"));
        kestra::CreationPrompts prompts;
        prompts.confirm = [&](QWidget*) { return asked << QStringLiteral("confirm"), true; };
        prompts.chooseFormat = [&](QWidget*, CKestraDoc& doc) {
            asked << QStringLiteral("format");
            doc.m_nDataFormat = 1;
            return true;
        };
        prompts.editMessage = [&](QWidget*, CKestraDoc&) { return asked << QStringLiteral("message"), true; };
        prompts.chooseSaveFile = [&](QWidget*, const QString& folder, const QString&) {
            asked << QStringLiteral("save");
            return folder == m_dir->path() ? target : QString();
        };
        QCOMPARE(kestra::runDataCreation(m_frame.get(), *m_doc, *m_settings, prompts), target);
        QCOMPARE(asked, (QStringList{"confirm", "format", "message", "save"}));
        QCOMPARE(m_settings->readPath(QStringLiteral("pspath"), {}), target);

        const jigsaw::JztPuzzle puzzle = jigsaw::readJztFile(QFile::encodeName(target).toStdString());
        QCOMPARE(puzzle.header.geometry, jigsaw::puzzleSize(0).geometry);
        QCOMPARE(puzzle.header.dataFormat, jigsaw::DataFormat::Small);

        // Cancelling the save dialog writes nothing and keeps the key.
        prompts.chooseSaveFile = [](QWidget*, const QString&, const QString&) { return QString(); };
        QVERIFY(kestra::runDataCreation(m_frame.get(), *m_doc, *m_settings, prompts).isEmpty());
        QCOMPARE(m_settings->readPath(QStringLiteral("pspath"), {}), target);
    }

    void createdPuzzleOpensInThePlayer_data()
    {
        QTest::addColumn<bool>("playerOnPath");
        QTest::newRow("player on PATH") << true;
        QTest::newRow("no player") << false;
    }

    // All the way through the window: the open dialog offers the photo's
    // kind, every question of data creation answered as proposed, the file saved
    // under the photo's name; then "プレーヤーで開く" starts the player found
    // on PATH (a stand-in that writes down its arguments) on the new file, or
    // says that there is none.
    void createdPuzzleOpensInThePlayer()
    {
        QFETCH(bool, playerOnPath);
        const QString bin = m_dir->filePath(QStringLiteral("bin"));
        const QString record = m_dir->filePath(QStringLiteral("arguments"));
        QVERIFY(QDir().mkpath(bin));
        if (playerOnPath) {
            QFile script(bin + QStringLiteral("/vorpel"));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n").arg(record).toUtf8());
            script.close();
            QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin));
        const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });

        const QString photo = m_dir->filePath(QStringLiteral("photo.jpeg"));
        QVERIFY(picture(640, 480).image.save(photo, "JPEG"));
        m_doc->m_strDataPath = m_dir->path() + QLatin1Char('/');
        m_frame->show();

        QString openFilter;
        QString warning;
        QTimer answers;
        connect(&answers, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* files = qobject_cast<QFileDialog*>(modal)) {
                // The open dialog only shows what it offers: a name given to
                // it is ignored once its name box has the focus.
                if (files->acceptMode() == QFileDialog::AcceptOpen) {
                    openFilter = files->nameFilters().value(0);
                    files->reject();
                    return;
                }
                // QFileDialog hides accept(); the dialog's own is the button's.
                static_cast<QDialog*>(files)->accept();
                if (files->isVisible())
                    files->reject();
            } else if (auto* format = qobject_cast<DataFormatDialog*>(modal)) {
                format->okButton()->click();
            } else if (auto* message = qobject_cast<MessageDialog*>(modal)) {
                message->okButton()->click();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (box->icon() == QMessageBox::Warning)
                    warning = box->text();
                QAbstractButton* answer = nullptr;
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QStringLiteral("プレーヤーで開く") ||
                        (answer == nullptr && box->buttonRole(b) == QMessageBox::AcceptRole))
                        answer = b;
                answer->click();
            }
        });
        answers.start(10);
        m_frame->action(kestra::cmd::kOpenPicture)->trigger();
        m_frame->loadPictureFile(photo);
        m_frame->action(kestra::cmd::kCreateData)->trigger();

        QVERIFY2(openFilter.contains(anyCasePattern(QStringLiteral("jpeg"))) &&
                     openFilter.contains(anyCasePattern(QStringLiteral("png"))),
                 qPrintable(openFilter));
        if (playerOnPath) {
            QVERIFY2(warning.isEmpty(), qPrintable(warning));
            const auto recorded = [&record] {
                QFile file(record);
                return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
            };
            const QString expected = m_dir->filePath(QStringLiteral("photo.jzt")) + QLatin1Char('\n');
            QTRY_COMPARE_WITH_TIMEOUT(recorded(), expected, 20000);
        } else {
            QVERIFY2(warning.contains(QStringLiteral("「vorpel」が見つかりません")), qPrintable(warning));
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KestraSettings> m_settings;
    std::unique_ptr<CKestraDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(KestraGuiTest)
#include "kestra_gui_test.moc"
