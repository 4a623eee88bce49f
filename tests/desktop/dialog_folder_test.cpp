#include "dialog_folder.h"
#include "screen_area.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A home folder of the test's own, with a documents and a pictures folder.
class DialogFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(m_home.path()));
        ASSERT_TRUE(QDir(m_home.path()).mkpath(QStringLiteral("Documents")));
        ASSERT_TRUE(QDir(m_home.path()).mkpath(QStringLiteral("Pictures")));
        ASSERT_TRUE(QDir(m_home.path()).mkpath(QStringLiteral("games")));
    }
    void TearDown() override
    {
        QFile::setPermissions(path(QStringLiteral("games")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("HOME", m_savedHome);
    }
    QString path(const QString& name) const { return QDir(m_home.path()).filePath(name); }

    QTemporaryDir m_home;
    QByteArray m_savedHome;
};

TEST_F(DialogFolderTest, TakesTheRememberedFolderOnlyWhileItCanBeUsed)
{
    const QString games = path(QStringLiteral("games"));
    EXPECT_EQ(dialogStartFolder(games + QStringLiteral("/last.jpd"), DialogUse::Save), games);
    EXPECT_EQ(dialogStartFolder(games, DialogUse::Open), games);

    // None, gone, or the program's own folder: the user's folder of the kind.
    EXPECT_EQ(dialogStartFolder({}, DialogUse::Save), path(QStringLiteral("Documents")));
    EXPECT_EQ(dialogStartFolder(path(QStringLiteral("gone/last.jpd")), DialogUse::Open),
              path(QStringLiteral("Documents")));
    EXPECT_EQ(dialogStartFolder(QCoreApplication::applicationDirPath(), DialogUse::Open, QStandardPaths::PicturesLocation),
              path(QStringLiteral("Pictures")));
    // The home folder when even that is missing.
    EXPECT_EQ(dialogStartFolder({}, DialogUse::Open, QStandardPaths::MusicLocation), m_home.path());
}

// A folder that can be read but not written serves to open, not to save.
TEST_F(DialogFolderTest, AReadOnlyFolderServesOnlyToOpen)
{
    const QString games = path(QStringLiteral("games"));
    ASSERT_TRUE(QFile::setPermissions(games, QFile::ReadOwner | QFile::ExeOwner));
    // The superuser may write anywhere, so the folder's writability is the
    // test's to say.
    const auto readOnly = [](const QString&) { return false; };
    EXPECT_EQ(dialogStartFolder(games, DialogUse::Open, QStandardPaths::DocumentsLocation, readOnly), games);
    EXPECT_EQ(dialogStartFolder(games, DialogUse::Save, QStandardPaths::DocumentsLocation, readOnly),
              path(QStringLiteral("Documents")));
}

TEST(ScreenArea, WindowsAreMovedAndShrunkIntoTheArea)
{
    const QRect area(0, 30, 1366, 738);
    EXPECT_EQ(keptInside(QRect(100, 100, 200, 150), area), QRect(100, 100, 200, 150));
    EXPECT_EQ(keptInside(QRect(-20, -40, 200, 150), area), QRect(0, 30, 200, 150));
    EXPECT_EQ(keptInside(QRect(1300, 700, 200, 150), area), QRect(1166, 618, 200, 150));
    EXPECT_EQ(keptInside(QRect(10, 10, 2000, 1000), area), area);
}

}  // namespace
