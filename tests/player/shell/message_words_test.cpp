#include "command_ids.h"
#include "document_test_support.h"
#include "file_commands.h"
#include "jzt_file.h"
#include "main_frame.h"
#include "play_file.h"
#include "shell_test_support.h"
#include "views_test_support.h"
#include "vorpel_settings.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Files the player cannot open or save are told in the user's words: the
// message names the file once, by its name, and says what it is or what to
// do; the technical detail waits behind the box's details button.
class MessageWordsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<VorpelSettings>(m_dir->filePath(QStringLiteral("vorpel.ini")));
        m_frame = std::make_unique<CMainFrame>(*m_settings, m_clock, m_random, m_sounds, m_chooser);
        const QString puzzle = path(QStringLiteral("sample.jzt"));
        jigsaw::writeJztFile(puzzle.toStdString(),
                             samplePuzzle(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor));
        DialogAnswerer answers;
        QVERIFY(m_frame->files().loadPuzzle(puzzle));
    }
    void cleanup()
    {
        m_frame.reset();
        m_settings.reset();
        m_dir.reset();
    }

    void filesAreToldInPlainWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("detail");
        QTest::newRow("cut puzzle") << "cut.jzt" << int{kCmdOpenPuzzle} << "はパズルファイルですが、途中で切れています"
                                    << "バイト";
        QTest::newRow("text") << "notes.txt" << int{kCmdOpenPuzzle} << "はパズルファイルでもプレイファイルでもありません"
                              << "6400";
        QTest::newRow("JPEG as a puzzle") << "photo.jpg" << int{kCmdOpenPuzzle} << "は画像ファイルです" << "パズルファイル";
        QTest::newRow("BMP as a game") << "photo.bmp" << int{kCmdOpenPlayFile} << "は画像ファイルです" << "プレイファイル";
        QTest::newRow("lying game") << "lie.jpd" << int{kCmdOpenPlayFile} << "はプレイファイルではないか、壊れています"
                                    << "経過時間";
        QTest::newRow("save into a file") << "notes.txt/game.jpd" << int{kCmdSavePlayFile} << "に保存できませんでした"
                                          << "notes.txt/game.jpd";
    }
    void filesAreToldInPlainWords()
    {
        QFETCH(QString, file);
        QFETCH(int, command);
        QFETCH(QString, said);
        QFETCH(QString, detail);
        QFile text(path(QStringLiteral("notes.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("A shopping list, not a puzzle.\n");
        text.close();
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path(QStringLiteral("photo.jpg"))) && picture.save(path(QStringLiteral("photo.bmp"))));
        QVERIFY(QFile::copy(path(QStringLiteral("sample.jzt")), path(QStringLiteral("cut.jzt"))));
        QVERIFY(QFile(path(QStringLiteral("cut.jzt"))).resize(7000));
        // A play file whose playing time is out of range.
        const QString lie = path(QStringLiteral("lie.jpd"));
        SavePlayFile(m_frame->document(), lie.toStdString(), m_clock);
        QFile game(lie);
        QVERIFY(game.open(QIODevice::ReadWrite) && game.seek(static_cast<qint64>(kPlayElapsedOffset)));
        game.write("\xFF");
        game.close();

        DialogAnswerer answers;
        m_chooser.nextOpen = m_chooser.nextSave = path(file);
        m_frame->action(command)->trigger();
        QCOMPARE(answers.texts.size(), 1);
        const QString shown = answers.texts.front();
        const QString name = file.section(QLatin1Char('/'), -1);
        QVERIFY2(shown.startsWith(QStringLiteral("「%1」%2").arg(name, said)), qPrintable(shown));
        QCOMPARE(shown.count(name), 1);
        QVERIFY2(!shown.contains(m_dir->path()), qPrintable(shown));
        QVERIFY2(answers.details.front().contains(detail), qPrintable(answers.details.front()));
    }

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<VorpelSettings> m_settings;
    FakeClock m_clock;
    MtRandom m_random;
    RecordingSounds m_sounds;
    ScriptedChooser m_chooser;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(MessageWordsTest)
#include "message_words_test.moc"
