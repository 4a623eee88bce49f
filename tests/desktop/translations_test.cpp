#include "installed_catalogue.h"

#include <gtest/gtest.h>

TEST(Translations, JapaneseOnlyWhenTheDesktopPutsItFirst)
{
    EXPECT_EQ(uiLanguageFor({QStringLiteral("ja-JP")}), UiLanguage::Japanese);
    EXPECT_EQ(uiLanguageFor({QStringLiteral("ja"), QStringLiteral("en-US")}), UiLanguage::Japanese);
    EXPECT_EQ(uiLanguageFor({QStringLiteral("en-US"), QStringLiteral("ja-JP")}), UiLanguage::English);
    EXPECT_EQ(uiLanguageFor({QStringLiteral("jv-ID")}), UiLanguage::English);
    EXPECT_EQ(uiLanguageFor({QStringLiteral("C")}), UiLanguage::English);
    EXPECT_EQ(uiLanguageFor({}), UiLanguage::English);
}

// The built catalogue turns a Japanese source text into English while it is
// installed.
TEST(Translations, CataloguesAreFoundAndTranslate)
{
    const char* context = "UnfinishedGamesDialog";
    const char* source = "未完成のゲーム";
    ASSERT_EQ(QCoreApplication::translate(context, source), QString::fromUtf8(source));

    {
        const InstalledCatalogue english(QStringLiteral("vorpel"), UiLanguage::English, QStringLiteral(VORPEL_DIR));
        ASSERT_EQ(english.count(), 1);
        EXPECT_EQ(QCoreApplication::translate(context, source), QStringLiteral("Unfinished Games"));
    }
    EXPECT_EQ(QCoreApplication::translate(context, source), QString::fromUtf8(source));
}
