#include "clock_face.h"
#include "document_test_support.h"
#include "command_ids.h"
#include "elapsed_window.h"
#include "file_commands.h"
#include "finished_picture.h"
#include "jzt_file.h"
#include "preview_window.h"
#include "records_window.h"
#include "shell_test_support.h"
#include "title_room.h"
#include "tool_windows.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

class ToolWindowTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void init()
    {
        openFolder();
        m_answerer = std::make_unique<DialogAnswerer>();
        startFrame(false);
        m_frame->show();
    }
    void cleanup()
    {
        closeFolder();
        m_answerer.reset();
    }

    void windowsOpenAtTheirDefaultPlaces()
    {
        loadPuzzle(kSize12);
        toggle(kCmdTogglePreview);
        toggle(kCmdToggleElapsed);
        PreviewWindow* preview = windows().preview();
        ElapsedWindow* elapsed = windows().elapsed();
        QVERIFY(preview != nullptr && preview->isVisible());
        QVERIFY(elapsed != nullptr && elapsed->isVisible());
        // A board of 440 × 560 shows at a third, 145 × 184, in a 155 × 212
        // window, or one as wide as its title needs, whose title bar is kept
        // on the screen.
        QCOMPARE(preview->pos(), QPoint(0, 0));
        QCOMPARE(preview->size(), QSize(std::max(155, titleRoom(*preview)), 212));
        QCOMPARE(preview->picture().size(), QSize(145, 184));
        QVERIFY(sameMeanColour(preview->picture(), m_frame->document().Picture()));
        // (142, 129)–(344, 329)
        QCOMPARE(elapsed->geometry(), QRect(142, 129, 202, 200));
        QVERIFY(preview->parentWidget() == m_frame.get() && (preview->windowFlags() & Qt::Tool) == Qt::Tool);
        QVERIFY(m_frame->action(kCmdTogglePreview)->isChecked());

        // A new puzzle, here a 256-colour one, reopens the preview sized to
        // its picture.
        loadPuzzle(7, jigsaw::ColorFormat::Indexed);
        QVERIFY(windows().preview() != nullptr);
        QCOMPARE(windows().preview()->size(), QSize(194, 173));  // a third of 560 × 440, and the frame
        QCOMPARE(windows().preview()->picture().size(), QSize(184, 145));
        QVERIFY(sameMeanColour(windows().preview()->picture(), m_frame->document().Picture()));
    }

    void placesStoredByClosesNotByToggles()
    {
        loadPuzzle(kSize12);
        toggle(kCmdTogglePreview);
        toggle(kCmdToggleElapsed);
        place(windows().preview(), QPoint(30, 40));
        place(windows().elapsed(), QPoint(300, 20));

        // Toggled off from the menu: nothing written.
        toggle(kCmdTogglePreview);
        QVERIFY(windows().preview() == nullptr);
        QVERIFY(!ini().contains(QStringLiteral("Vorpel_Section/rpleft")));

        toggle(kCmdTogglePreview);
        place(windows().preview(), QPoint(30, 40));
        const QSize previewSize = windows().preview()->size();
        QVERIFY(windows().preview()->close());
        QVERIFY(windows().elapsed()->close());
        QCOMPARE(m_frame->document().GetPreviewShown(), 0);
        QCOMPARE(m_frame->document().GetElapsedShown(), 0);
        QVERIFY(!m_frame->action(kCmdTogglePreview)->isChecked());
        QVERIFY(!m_frame->action(kCmdToggleElapsed)->isChecked());
        QVERIFY(windows().preview() == nullptr && windows().elapsed() == nullptr);
        QCOMPARE(rectKeys(QStringLiteral("rp")), QRect(QPoint(30, 40), previewSize));
        QCOMPARE(rectKeys(QStringLiteral("rt")), QRect(QPoint(300, 20), QSize(202, 200)));

        // The next toggle opens a new window where the user left it.
        toggle(kCmdTogglePreview);
        toggle(kCmdToggleElapsed);
        QCOMPARE(windows().preview()->geometry().topLeft(), QPoint(30, 40));
        QCOMPARE(windows().elapsed()->geometry().topLeft(), QPoint(300, 20));

        // Quitting with both open stores their places once, from the main
        // window's close, though Qt closes every window when the main one goes.
        place(windows().preview(), QPoint(50, 60));
        place(windows().elapsed(), QPoint(400, 30));
        QTimer::singleShot(0, m_frame.get(), [this] { m_frame->close(); });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(m_frame->document().GetPreviewShown(), 1);
        QCOMPARE(m_frame->document().GetElapsedShown(), 1);
        m_frame.reset();
        QCOMPARE(rectKeys(QStringLiteral("rp")).topLeft(), QPoint(50, 60));
        QCOMPARE(rectKeys(QStringLiteral("rt")).topLeft(), QPoint(400, 30));
    }

    // A window comes back where it was closed, session after session, and
    // every window the player places lies inside the screen's available
    // area, whatever the settings say.
    void windowsComeBackWhereTheyWereAndStayOnTheScreen()
    {
        loadPuzzle(kSize12);
        const QRect screen = m_frame->screen()->availableGeometry();
        m_settings->writeRect(QStringLiteral("rp"), QRect(-10, -40, 155, 212));
        m_settings->writeRect(QStringLiteral("rt"), QRect(screen.right() - 50, screen.bottom() - 20, 202, 200));
        toggle(kCmdTogglePreview);
        toggle(kCmdToggleElapsed);
        QVERIFY(screen.contains(windows().preview()->frameGeometry()));
        QVERIFY(screen.contains(windows().elapsed()->frameGeometry()));

        const QRect preview = windows().preview()->geometry();
        const QRect elapsed = windows().elapsed()->geometry();
        for (int session = 0; session < 3; ++session) {
            QVERIFY(windows().preview()->close());
            QVERIFY(windows().elapsed()->close());
            toggle(kCmdTogglePreview);
            toggle(kCmdToggleElapsed);
            QCOMPARE(windows().preview()->geometry(), preview);
            QCOMPARE(windows().elapsed()->geometry(), elapsed);
        }

        // The main window likewise, when it is shown.
        m_settings->writeRect(QStringLiteral("rg"), QRect(-30, -50, 700, 500));
        m_frame->hide();
        m_frame->show();
        QVERIFY(screen.contains(m_frame->frameGeometry()));
        QCOMPARE(m_frame->size(), QSize(700, 500));
    }

    void aPlayFileReopensBothWindows()
    {
        loadPuzzle(kSize12);
        toggle(kCmdTogglePreview);
        toggle(kCmdToggleElapsed);
        const QString game = m_dir->filePath(QStringLiteral("game.jpd"));
        m_chooser.nextSave = game;
        QVERIFY(m_frame->files().savePlayFile());
        toggle(kCmdTogglePreview);
        toggle(kCmdToggleElapsed);
        QVERIFY(m_frame->files().loadPlayFile(game));
        QVERIFY(windows().preview() != nullptr && windows().preview()->isVisible());
        QVERIFY(windows().elapsed() != nullptr && windows().elapsed()->isVisible());
        QVERIFY(m_frame->action(kCmdToggleElapsed)->isChecked());
        QVERIFY(!ini().contains(QStringLiteral("Vorpel_Section/rpleft")));
    }

    void clockShowsThePlayingTime()
    {
        toggle(kCmdToggleElapsed);
        ElapsedWindow* w = windows().elapsed();
        // No game yet: the bare face and empty boxes.
        w->updateClock();
        QCOMPARE(w->face(), ClockFace());
        QVERIFY(w->hourBox()->text().isEmpty());

        loadPuzzle(kSize12);
        m_frame->document().SetElapsedBase(3600);
        m_frame->document().SetPiecesOut(4);
        m_clock.tick += 125'000;
        w->updateClock();
        QCOMPARE(boxes(w), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                                        QStringLiteral("4"), QStringLiteral("12")}));
        QVERIFY(w->hourBox()->isReadOnly());
        // The hands, drawn without smoothing, reach their exact end points.
        const QImage shown = w->grab().toImage();
        for (const QPoint end : {QPoint(54, 28), QPoint(46, 30), QPoint(42, 50)})
            QCOMPARE(QColor(shown.pixel(w->faceOrigin() + end)), QColor(0, 255, 0));
        QCOMPARE(QColor(shown.pixel(w->faceOrigin() + QPoint(30, 70))), QColor(Qt::black));

        // Completed: the time stands while the clock goes on.
        m_frame->document().SetPiecesOut(12);
        m_frame->document().SetCompleted(1);
        TakeFinalTime(m_frame->document(), m_clock.tick);
        m_clock.tick += 3'600'000;
        w->updateClock();
        QCOMPARE(boxes(w).mid(0, 4), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                                                  QStringLiteral("12")}));
    }

    // Four finished puzzles in the 記録 window from the file menu, the one
    // finished last first, every column whole, the window on the screen.
    void recordsListTheLastFinishedFirst()
    {
        const std::string text = fourFinishedRecords();
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("vorpel"))));
        QFile file(m_dir->filePath(QStringLiteral("vorpel/records.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.data(), qint64(text.size())) > 0);
        file.close();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
        m_answerer.reset();
        QStringList rows;
        QTimer::singleShot(0, m_frame.get(), [&] {
            auto* dialog = qobject_cast<RecordsDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QTreeWidget* list = dialog->list();
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                rows << list->topLevelItem(row)->text(0) + QLatin1Char(' ') + list->topLevelItem(row)->text(2);
            QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("7"));
            QVERIFY(list->header()->length() <= list->viewport()->width());
            QVERIFY(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));
            dialog->reject();
        });
        m_frame->action(kCmdRecords)->trigger();
        QCOMPARE(rows, (QStringList{"twelve.jzt 0:01:05", "sample.jzt 0:42:17", "富士山と桜.jzt 11:32:09",
                                    "夏休みの海.jzt 2:05:48"}));
    }

private:
    ToolWindows& windows() { return m_frame->toolWindows(); }

    void toggle(int commandId) { m_frame->action(commandId)->trigger(); }

    // Puts a window's client area at `corner`, as the user moving it does.
    static void place(QWidget* window, QPoint corner) { window->setGeometry(QRect(corner, window->size())); }

    void loadPuzzle(int sizeIndex, jigsaw::ColorFormat color = jigsaw::ColorFormat::TrueColor)
    {
        const QString path = m_dir->filePath(QStringLiteral("p%1.jzt").arg(sizeIndex));
        jigsaw::writeJztFile(path.toStdString(), samplePuzzle(sizeIndex, jigsaw::DataFormat::Large, color));
        QVERIFY(m_frame->files().loadPuzzle(path));
    }

    // The scaled picture keeps the board picture's average red, green and
    // blue, whatever its depth.
    static bool sameMeanColour(const QImage& scaled, const jigsaw::PackedDib& dib)
    {
        double a[3] = {};
        double b[3] = {};
        for (int y = 0; y < scaled.height(); ++y)
            for (int x = 0; x < scaled.width(); ++x) {
                const QRgb c = scaled.pixel(x, y);
                a[0] += qRed(c), a[1] += qGreen(c), a[2] += qBlue(c);
            }
        for (int y = 0; y < dib.height(); ++y)
            for (int x = 0; x < dib.width(); ++x) {
                jigsaw::RGBQUAD c;
                if (dib.bitCount() == 8) {
                    c = dib.color(dib.rowFromTop(y)[x]);
                } else {
                    const std::uint8_t* bgr = dib.rowFromTop(y) + 3 * x;
                    c = {bgr[0], bgr[1], bgr[2], 0};
                }
                b[0] += c.rgbRed, b[1] += c.rgbGreen, b[2] += c.rgbBlue;
            }
        const double na = double(scaled.width()) * scaled.height();
        const double nb = double(dib.width()) * dib.height();
        for (int i = 0; i < 3; ++i)
            if (std::abs(a[i] / na - b[i] / nb) > 3)
                return false;
        return true;
    }

    QSettings ini() const { return QSettings(m_settings->path(), QSettings::IniFormat); }

    QRect rectKeys(const QString& prefix) const
    {
        return m_settings->readRect(prefix, QRect(-1, -1, 0, 0));
    }

    static QStringList boxes(const ElapsedWindow* w)
    {
        return {w->hourBox()->text(), w->minuteBox()->text(), w->secondBox()->text(), w->piecesOutBox()->text(),
                w->pieceCountBox()->text()};
    }

    std::unique_ptr<DialogAnswerer> m_answerer;
};

QTEST_MAIN(ToolWindowTest)
#include "tool_window_test.moc"
