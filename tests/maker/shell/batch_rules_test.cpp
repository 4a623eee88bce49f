// Batch mode holds to the window's rules: the smallest frame (with a word
// when the puzzle enlarges it), the message line that the file can hold, and
// the show flag only with a message.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "jzt_file.h"
#include "locale_environment.h"

namespace {

class BatchRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage photo(1000, 800, QImage::Format_RGB32);
        photo.fill(qRgb(200, 120, 40));
        ASSERT_TRUE(photo.save(picture, "PNG"));
    }

    // Runs the maker on the picture; returns its exit code and keeps what it
    // wrote to standard error.
    int make(QStringList options)
    {
        QFile::remove(output);
        QProcess p;
        // The messages checked are the Japanese ones.
        p.setProcessEnvironment(localeEnvironment(QStringLiteral("ja_JP.UTF-8")));
        p.start(QStringLiteral(KESTRA_PATH), QStringList{QStringLiteral("--output"), output} + options << picture);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            return -1;
        errorText = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }

    jigsaw::JztHeader header() const { return jigsaw::readJztFile(output.toStdString()).header; }

    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("p.png"));
    const QString output = dir.filePath(QStringLiteral("out.jzt"));
    QString errorText;
};

TEST_F(BatchRules, FrameMustBeFiftyPixelsEachWay)
{
    for (const char* frame : {"0,0,10,10", "0,0,49,200", "10,10,300,59"}) {
        EXPECT_NE(make({QStringLiteral("--frame"), QLatin1String(frame)}), 0) << frame;
        EXPECT_EQ(errorText.count(QLatin1Char('\n')), 1) << errorText.toStdString();
        EXPECT_TRUE(errorText.contains(QLatin1String(frame))) << errorText.toStdString();
        EXPECT_FALSE(QFile::exists(output)) << frame;
    }
    // The smallest frame is taken, with one line saying the puzzle enlarges it.
    EXPECT_EQ(make({QStringLiteral("--frame"), QStringLiteral("350,250,400,300")}), 0) << errorText.toStdString();
    EXPECT_EQ(errorText.count(QLatin1Char('\n')), 1) << errorText.toStdString();
    EXPECT_TRUE(errorText.contains(QStringLiteral("10.33 倍"))) << errorText.toStdString();
    EXPECT_TRUE(QFile::exists(output));
}

TEST_F(BatchRules, OverLongMessageLineIsCutAndSaidSo)
{
    const QString longLine = QStringLiteral("あ").repeated(60);  // 120 bytes in CP932
    ASSERT_EQ(make({QStringLiteral("--message"), QStringLiteral("短い"), QStringLiteral("--message"), longLine}), 0);
    EXPECT_TRUE(errorText.startsWith(QLatin1String("kestra: "))) << errorText.toStdString();
    EXPECT_TRUE(errorText.contains(QStringLiteral("2 行目"))) << errorText.toStdString();
    EXPECT_EQ(header().messageLines[1].size(), 100u);
}

TEST_F(BatchRules, ShowFlagOnlyWithAMessage)
{
    ASSERT_EQ(make({}), 0);
    EXPECT_EQ(header().showMessage, 0) << "no message to show";
    ASSERT_EQ(make({QStringLiteral("--message"), QStringLiteral("こんにちは")}), 0);
    EXPECT_EQ(header().showMessage, 1);
    ASSERT_EQ(make({QStringLiteral("--message"), QStringLiteral("こんにちは"), QStringLiteral("--hide-message")}), 0);
    EXPECT_EQ(header().showMessage, 0);
    EXPECT_TRUE(errorText.isEmpty());
}

}  // namespace
