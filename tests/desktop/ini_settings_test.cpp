#include "ini_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The configuration folder is looked up through XDG_CONFIG_HOME, pointed at a
// temporary folder for each test.
class IniPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_exeParent.isValid());
        ASSERT_TRUE(m_config.isValid());
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCoreApplication::setApplicationName(QStringLiteral("vorpel"));
    }

    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_savedConfigHome); }

    QString makeExeDir()
    {
        m_exeDir = m_exeParent.filePath(QStringLiteral("bin"));
        EXPECT_TRUE(QDir().mkpath(m_exeDir));
        return m_exeDir;
    }

    QString configFile() const { return QDir(m_config.path()).filePath(QStringLiteral("vorpel/vorpel.ini")); }

    QTemporaryDir m_exeParent;
    QTemporaryDir m_config;
    QString m_exeDir;
    QByteArray m_savedConfigHome;
};

TEST_F(IniPathTest, WritableProgramFolderKeepsTheFileBesideTheProgram)
{
    const QString exeDir = makeExeDir();
    EXPECT_EQ(IniSettings::iniPathFor(exeDir, QStringLiteral("vorpel")), QDir(exeDir).filePath(QStringLiteral("vorpel.ini")));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(configFile()).path()));
}

TEST_F(IniPathTest, ReadOnlyProgramFolderMovesTheFileToTheConfigurationFolder)
{
    // An installed copy's folder, which only the superuser may write in.
    const QString exeDir = makeExeDir();
    const auto readOnly = [](const QString&) { return false; };
    const QString path = IniSettings::iniPathFor(exeDir, QStringLiteral("vorpel"), readOnly);
    EXPECT_EQ(path, configFile());
    EXPECT_TRUE(QFileInfo(QFileInfo(path).path()).isDir()) << "the configuration folder is made";

    IniSettings settings(path, QStringLiteral("Vorpel_Section"));
    settings.writeInt(QStringLiteral("FlDx"), 321);
    EXPECT_EQ(IniSettings(path, QStringLiteral("Vorpel_Section")).readInt(QStringLiteral("FlDx"), 0), 321);
    EXPECT_TRUE(QDir(exeDir).isEmpty()) << "nothing is written beside the program";
}

TEST_F(IniPathTest, MissingProgramFolderUsesTheConfigurationFolder)
{
    const QString gone = m_exeParent.filePath(QStringLiteral("removed"));
    const QString path = IniSettings::iniPathFor(gone, QStringLiteral("vorpel"));
    EXPECT_EQ(path, configFile());
    EXPECT_TRUE(QFileInfo(QFileInfo(path).path()).isDir());
    EXPECT_FALSE(QFileInfo::exists(gone));
}

}  // namespace
