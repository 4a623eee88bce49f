// The maker's windows where they meet the window system: the frame kept on
// the displayed picture, the window after minimising, the preview's place,
// and the dialogs of data creation closed with ✕ or Escape.
#include "command_ids.h"
#include "creation_flow.h"
#include "dib_samples.h"
#include "jzt_file.h"
#include "kestra_view.h"
#include "maker_window.h"
#include "message_dialog.h"
#include "preview_window.h"
#include "screen_area.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

const QRect kScreen(0, 0, 1024, 768);

// A picture with no dark pixel: every channel is 100 or more.
QImage brightImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(100 + x % 156, 100 + y % 156, 180);
    }
    return image;
}

// The darkest channel anywhere in the file's picture.
int darkestChannel(const jigsaw::JztPuzzle& puzzle)
{
    int darkest = 255;
    for (const jigsaw::ColorRef c : jigsaw::dibSamples(puzzle.picture))
        darkest = std::min({darkest, int(jigsaw::redOf(c)), int(jigsaw::greenOf(c)), int(jigsaw::blueOf(c))});
    return darkest;
}

void drag(QWidget* view, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, (from + to) / 2);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

QPoint center(const KRect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The corner `dx`, `dy` (each −1 or 1) of a frame, two pixels inwards so
// that the press lands on the view as well as on the handle.
QPoint cornerOf(const KRect& r, int dx, int dy)
{
    return {dx < 0 ? r.left + 2 : r.right - 2, dy < 0 ? r.top + 2 : r.bottom - 2};
}

}  // namespace

class KestraWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_maker = std::make_unique<Maker>(); }
    void cleanup() { m_maker.reset(); }

    void frameStaysOnThePictureInEveryCorner_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<bool>("freeStretch");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        for (const QSize size : {QSize(640, 480), QSize(3000, 2000)})
            for (const bool free : {false, true})
                for (const int dy : {-1, 1})
                    for (const int dx : {-1, 1})
                        QTest::addRow("%dx%d %s %s%s", size.width(), size.height(), free ? "free" : "locked",
                                      dy < 0 ? "top" : "bottom", dx < 0 ? "left" : "right")
                            << size << free << dx << dy;
    }

    // The frame is moved away from a corner, its handle there is dragged far
    // past the picture, and the frame is pushed into that corner: it ends on
    // the picture's edges, and the file made from it has no black band.
    void frameStaysOnThePictureInEveryCorner()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(bool, freeStretch);
        QFETCH(int, dx);
        QFETCH(int, dy);
        m_maker->frame.show();
        m_maker->frame.installPicture(kestra::pictureFromImage(brightImage(pictureSize.width(), pictureSize.height())),
                                kScreen);
        const QSize display(m_maker->doc.m_nDisplayWidth, m_maker->doc.m_nDisplayHeight);
        if (freeStretch)
            m_maker->frame.action(kestra::cmd::kLockRatio)->trigger();
        QCOMPARE(m_maker->doc.m_bFreeStretch, freeStretch);
        CKestraView* view = m_maker->frame.view();
        const QPoint far(dx * 5000, dy * 5000);

        // Shrink from the opposite corner, then move away from the corner.
        drag(view, cornerOf(m_maker->doc.m_rcFrameView, -dx, -dy), center(m_maker->doc.m_rcFrameView));
        drag(view, center(m_maker->doc.m_rcFrameView), center(m_maker->doc.m_rcFrameView) - far);
        drag(view, cornerOf(m_maker->doc.m_rcFrameView, dx, dy), cornerOf(m_maker->doc.m_rcFrameView, dx, dy) + far);
        drag(view, center(m_maker->doc.m_rcFrameView), center(m_maker->doc.m_rcFrameView) + far);

        const KRect v = m_maker->doc.m_rcFrameView;
        QVERIFY(v.left >= 0 && v.top >= 0 && v.right <= display.width() && v.bottom <= display.height());
        QCOMPARE(dx < 0 ? v.left : v.right, dx < 0 ? 0 : display.width());
        QCOMPARE(dy < 0 ? v.top : v.bottom, dy < 0 ? 0 : display.height());
        const KRect f = m_maker->doc.m_rcFrame;
        QVERIFY(f.left >= 0 && f.top >= 0 && f.right <= pictureSize.width() && f.bottom <= pictureSize.height());

        const QString target = m_maker->dir.filePath(QStringLiteral("corner.jzt"));
        kestra::CreationPrompts prompts = agreeingPrompts(target);
        prompts.chooseFormat = [](QWidget*, CKestraDoc& doc) { return doc.m_nDataFormat = 1, true; };
        QCOMPARE(kestra::runDataCreation(&m_maker->frame, m_maker->doc, m_maker->settings, prompts), target);
        const int darkest = darkestChannel(jigsaw::readJztFile(QFile::encodeName(target).toStdString()));
        QVERIFY2(darkest >= 95, qPrintable(QString::number(darkest)));
        QCOMPARE(m_maker->frame.view()->size(), display);
    }

    // The main window and the preview stay on the screen, room left above
    // them for their title bars while unframed: at the first start, from a
    // stored rectangle reaching past the screen, fitted to each picture in
    // turn and with the largest preview. Where there is room, the preview
    // sits beside the window, not under it.
    void windowsStayOnTheScreen_data()
    {
        QTest::addColumn<bool>("storedPastTheScreen");
        QTest::addColumn<QList<QSize>>("pictures");
        QTest::addColumn<bool>("beside");
        QTest::newRow("tall") << false << QList<QSize>{QSize(700, 900)} << false;
        QTest::newRow("wide, then taller") << false << QList<QSize>{QSize(700, 400), QSize(500, 640)} << true;
        QTest::newRow("stored past the screen, wider than it") << true << QList<QSize>{QSize(4000, 300)} << false;
    }
    void windowsStayOnTheScreen()
    {
        QFETCH(bool, storedPastTheScreen);
        QFETCH(QList<QSize>, pictures);
        QFETCH(bool, beside);
        if (storedPastTheScreen) {
            QSettings ini(m_maker->settings.path(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Kestra_Section/rgleft"), 300);
            ini.setValue(QStringLiteral("Kestra_Section/rgtop"), 0);
            ini.setValue(QStringLiteral("Kestra_Section/rgright"), 300 + 4000);
            ini.setValue(QStringLiteral("Kestra_Section/rgbottom"), 480);
        }
        CMainFrame& frame = m_maker->frame;
        const auto onScreen = [&frame] {
            for (const QWidget* w : {static_cast<QWidget*>(&frame), static_cast<QWidget*>(frame.preview())})
                if (!kScreen.contains(w->geometry().marginsAdded(windowDecoration(*w))))
                    return false;
            return true;
        };
        frame.show();
        QVERIFY(onScreen());
        for (const QSize size : pictures) {
            frame.installPicture(kestra::pictureFromImage(brightImage(size.width(), size.height())), kScreen);
            QVERIFY2(onScreen(), qPrintable(QStringLiteral("%1 × %2").arg(size.width()).arg(size.height())));
            QVERIFY(!beside || !frame.preview()->frameGeometry().intersects(frame.frameGeometry()));
        }
        frame.action(32798)->trigger();  // the largest preview
        QVERIFY(onScreen() && frame.preview()->isVisible());
    }

    // Minimised and restored, the window keeps the size fitted to the
    // picture instead of going back to the stored rectangle.
    void restoreAfterMinimiseKeepsTheFittedWindow()
    {
        m_maker->frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_maker->frame));
        m_maker->frame.installPicture(kestra::pictureFromImage(brightImage(700, 400)), kScreen);
        const QSize fitted = m_maker->frame.size();
        m_maker->frame.showMinimized();
        QTRY_VERIFY(m_maker->frame.isMinimized());
        m_maker->frame.showNormal();
        QTRY_VERIFY(!m_maker->frame.isMinimized());
        QCOMPARE(m_maker->frame.size(), fitted);
        QCOMPARE(m_maker->frame.view()->size(), QSize(700, 400));
        const QMargins decoration = windowDecoration(m_maker->frame);
        QCOMPARE(m_maker->frame.geometry().marginsAdded(decoration).topLeft(), kScreen.topLeft());
    }

    // A large picture is kept reduced; the frame, in the picture's own
    // pixels, still shows its part of the picture in the view and the preview.
    void reducedPictureShowsTheFramedPart()
    {
        QImage surface(1500, 1000, QImage::Format_RGB32);
        surface.fill(qRgb(220, 30, 30));
        QPainter(&surface).fillRect(750, 0, 750, 1000, qRgb(30, 30, 220));
        kestra::LoadedPicture picture = kestra::pictureFromImage(surface);
        picture.infoHeader.biWidth = 6000;
        picture.infoHeader.biHeight = 4000;
        picture.scale = 0.25;
        m_maker->frame.show();
        m_maker->frame.installPicture(std::move(picture), kScreen);
        QCOMPARE(m_maker->doc.m_nPictureWidth, 6000);
        CKestraView* view = m_maker->frame.view();
        const auto previewCentre = [this] {
            PreviewWindow* preview = m_maker->frame.preview();
            return preview->grab().toImage().pixel(preview->pictureRect().center());
        };
        // The preview is drawn over the left edge first, so that a preview
        // keeping its last drawing would still show red after the move.
        drag(view, center(m_maker->doc.m_rcFrameView), center(m_maker->doc.m_rcFrameView) - QPoint(5000, 0));
        QCOMPARE(m_maker->doc.m_rcFrame.left, 0);
        QVERIFY(qRed(previewCentre()) > 180);
        drag(view, center(m_maker->doc.m_rcFrameView), center(m_maker->doc.m_rcFrameView) + QPoint(10000, 0));
        QCOMPARE(m_maker->doc.m_rcFrame.right, 6000);

        const QRgb shown = previewCentre();
        QVERIFY2(qBlue(shown) > 180 && qRed(shown) < 60, qPrintable(QColor(shown).name()));
        const QImage onView = view->grab().toImage();
        const QRgb framed = onView.pixel(center(m_maker->doc.m_rcFrameView));
        QVERIFY2(qBlue(framed) > 180 && qRed(framed) < 60, qPrintable(QColor(framed).name()));
    }

    void closingADialogCancelsTheCreation_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("palette");
        QTest::newRow("データ展開中 ✕") << QStringLiteral("データ展開中") << false << false;
        QTest::newRow("データ展開中 Esc") << QStringLiteral("データ展開中") << true << false;
        QTest::newRow("パレット展開中 ✕") << QStringLiteral("パレット展開中") << false << true;
        QTest::newRow("データ作成中 ✕") << QStringLiteral("データ作成中") << false << false;
        QTest::newRow("データ作成中 Esc") << QStringLiteral("データ作成中") << true << true;
        QTest::newRow("data format ✕") << QStringLiteral("format") << false << false;
        QTest::newRow("data format Esc") << QStringLiteral("format") << true << false;
        QTest::newRow("message ✕") << QStringLiteral("message") << false << false;
    }

    // ✕ (or Escape) on a dialog of the creation ends it: no file, no change
    // to the settings, no further question.
    void closingADialogCancelsTheCreation()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, escape);
        QFETCH(bool, palette);
        m_maker->frame.show();
        const QImage image = brightImage(640, 480);
        if (palette) {
            const QString bmp = m_maker->dir.filePath(QStringLiteral("pal.bmp"));
            QVERIFY(image.convertToFormat(QImage::Format_Indexed8).save(bmp, "BMP"));
            m_maker->frame.installPicture(kestra::loadPictureFile(bmp), kScreen);
            QCOMPARE(m_maker->doc.m_infoHeader.biBitCount, 8);
        } else {
            m_maker->frame.installPicture(kestra::pictureFromImage(image), kScreen);
        }
        m_maker->frame.action(32798)->trigger();  // 40 × 25: long enough stages
        const auto close = [escape](QWidget* w) {
            if (escape)
                QTest::keyClick(w, Qt::Key_Escape);
            else
                w->close();
        };

        const kestra::CreationPrompts real = kestra::defaultCreationPrompts();
        kestra::CreationPrompts prompts = agreeingPrompts({});
        bool saveAsked = false;
        prompts.chooseFormat = [&](QWidget* parent, CKestraDoc& doc) {
            if (dialog != QLatin1String("format"))
                return true;
            QTimer::singleShot(0, [&] { close(QApplication::activeModalWidget()); });
            return real.chooseFormat(parent, doc);
        };
        prompts.editMessage = [&](QWidget* parent, CKestraDoc& doc) {
            if (dialog != QLatin1String("message"))
                return true;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                box->editor()->setPlainText(QStringLiteral("捨てられる"));
                close(box);
            });
            return real.editMessage(parent, doc);
        };
        prompts.chooseSaveFile = [&](QWidget*, const QString&, const QString&) {
            saveAsked = true;
            return m_maker->dir.filePath(QStringLiteral("never.jzt"));
        };
        // Closes the progress dialog of the stage under test as soon as it
        // shows; the stages let events through as they advance.
        QTimer watcher;
        bool closed = false;
        connect(&watcher, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible() && p->labelText() == dialog && !closed) {
                    closed = true;
                    close(p);
                }
        });
        watcher.start(0);

        const QString before = m_maker->settings.readPath(QStringLiteral("pspath"), QStringLiteral("unset"));
        QVERIFY(kestra::runDataCreation(&m_maker->frame, m_maker->doc, m_maker->settings, prompts).isEmpty());
        QCOMPARE(m_maker->settings.readPath(QStringLiteral("pspath"), QStringLiteral("unset")), before);
        QVERIFY(!QFile::exists(m_maker->dir.filePath(QStringLiteral("never.jzt"))));
        QVERIFY(!saveAsked);
        QVERIFY(m_maker->doc.m_szMessage[0].empty());
        if (dialog != QLatin1String("format") && dialog != QLatin1String("message"))
            QVERIFY(closed);
    }

private:
    std::unique_ptr<Maker> m_maker;
};

QTEST_MAIN(KestraWindowTest)
#include "kestra_window_test.moc"
