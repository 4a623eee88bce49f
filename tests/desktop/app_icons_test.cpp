#include "app_icons.h"
#include "drawn_icon.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr AppIcon kAllIcons[] = {AppIcon::Vorpel, AppIcon::Kestra, AppIcon::PuzzleFile, AppIcon::PlayFile};

QString readText(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The value of `key` in a desktop entry, as a list.
QStringList desktopList(const QString& path, const QString& key)
{
    for (const QString& line : readText(path).split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return {};
}

// Each MIME type of the shared-mime-info file with the icon it names.
std::map<QString, QString> mimeIcons(const QString& path)
{
    std::map<QString, QString> icons;
    QXmlStreamReader xml(readText(path));
    QString type;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("mime-type"))
            type = xml.attributes().value(QLatin1String("type")).toString();
        else if (xml.name() == QLatin1String("icon"))
            icons[type] = xml.attributes().value(QLatin1String("name")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return icons;
}

TEST(AppIcons, EveryIconFillsItsImageAtEverySizeAndLeavesTheCornersClear)
{
    for (const AppIcon icon : kAllIcons) {
        for (const int side : kIconSides) {
            SCOPED_TRACE(appIconName(icon).toStdString() + " at " + std::to_string(side));
            const QImage image = appIconImage(icon, side);
            ASSERT_EQ(image.size(), QSize(side, side));
            ASSERT_TRUE(image.hasAlphaChannel());
            const int last = side - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
                EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
            EXPECT_EQ(qAlpha(image.pixel(side / 2, side / 2)), 255);
            EXPECT_EQ(qAlpha(image.pixel(side / 2, side * 3 / 4)), 255);
        }
    }
}

TEST(AppIcons, IconsAreDistinctAndTheWindowIconCarriesEverySize)
{
    for (const AppIcon a : kAllIcons)
        for (const AppIcon b : kAllIcons)
            if (a != b) {
                EXPECT_NE(appIconName(a), appIconName(b));
                EXPECT_NE(appIconImage(a, 48), appIconImage(b, 48));
            }

    const QList<QSize> sizes = appIcon(AppIcon::Vorpel).availableSizes();
    for (const int side : kIconSides)
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

// The desktop entries, the file types and the drawn icons name one another;
// a name that differs in one place leaves a file or a program without its
// icon or its handler.
TEST(DesktopFiles, EntriesTypesAndIconsAgree)
{
    const QString vorpelDesktop = QStringLiteral(PLAYER_RESOURCES_DIR "/vorpel.desktop");
    const QString kestraDesktop = QStringLiteral(MAKER_RESOURCES_DIR "/kestra.desktop");
    EXPECT_EQ(desktopList(vorpelDesktop, QStringLiteral("Icon")), QStringList{appIconName(AppIcon::Vorpel)});
    EXPECT_EQ(desktopList(kestraDesktop, QStringLiteral("Icon")), QStringList{appIconName(AppIcon::Kestra)});

    const std::map<QString, QString> types = mimeIcons(QStringLiteral(PLAYER_RESOURCES_DIR "/jigsaw-kit.xml"));
    ASSERT_EQ(types.size(), 2u);
    QStringList typeNames;
    for (const auto& [type, icon] : types) {
        typeNames.append(type);
        EXPECT_EQ(icon, QString(type).replace(QLatin1Char('/'), QLatin1Char('-')));
    }
    EXPECT_EQ(types.at(QStringLiteral("application/x-jzt-puzzle")), appIconName(AppIcon::PuzzleFile));
    EXPECT_EQ(types.at(QStringLiteral("application/x-jpd-play")), appIconName(AppIcon::PlayFile));

    QStringList handled = desktopList(vorpelDesktop, QStringLiteral("MimeType"));
    handled.sort();
    EXPECT_EQ(handled, typeNames);
}

}  // namespace
