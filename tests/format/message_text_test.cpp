#include "message_text.h"

#include <gtest/gtest.h>

#include "format_error.h"

namespace jigsaw {
namespace {

TEST(MessageText, ConvertsBothWays)
{
    const std::string text = "完成おめでとう！ ABC ｶﾀｶﾅ";
    const std::string cp932 = utf8ToCp932(text);
    // 8 full-width characters of two bytes, 5 ASCII bytes, 4 half-width katakana of one byte.
    EXPECT_EQ(cp932.size(), 8u * 2 + 5 + 4);
    EXPECT_EQ(cp932.substr(0, 2), "\x8A\xAE");  // 完
    EXPECT_EQ(cp932ToUtf8(cp932), text);
}

TEST(MessageText, TakesTheUnicodeFormsThatInputMethodsProduce)
{
    EXPECT_EQ(utf8ToCp932("\u301C"), "\x81\x60") << "wave dash";
    EXPECT_EQ(utf8ToCp932("\u2212"), "\x81\x7C") << "minus sign";
    EXPECT_EQ(utf8ToCp932("\uFF5E"), "\x81\x60");
}

TEST(MessageText, RefusesWhatCp932CannotHold)
{
    try {
        utf8ToCp932("花\U0001F338");
        FAIL() << "an emoji has no CP932 form";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("\U0001F338"), std::string::npos) << "the message names the character";
    }
    EXPECT_THROW(utf8ToCp932("\xFF\xFE"), FormatError);
}

TEST(MessageText, BrokenBytesBecomeReplacementCharacters)
{
    // A lead byte followed by a byte that cannot trail it keeps that byte.
    EXPECT_EQ(cp932ToUtf8("A\x81" "0B"), "A\uFFFD0B");
    EXPECT_EQ(cp932ToUtf8("\x82"), "\uFFFD");
    EXPECT_EQ(cp932ToUtf8("\xA0x"), "\uFFFDx");
}

TEST(MessageText, CuttingNeverSplitsACharacter)
{
    const std::string ascii99(99, 'a');
    const std::string kanji = utf8ToCp932("字");
    EXPECT_EQ(cp932PrefixLength(ascii99 + kanji, 100), 99u);
    EXPECT_EQ(cp932PrefixLength(ascii99 + "b" + kanji, 100), 100u);
    EXPECT_EQ(cp932PrefixLength("ab", 100), 2u);
    // A lead byte in the last place counts as the start of a two-byte
    // character; a string that fits is kept whole.
    EXPECT_EQ(cp932PrefixLength(std::string(99, 'a') + "\x88", 100), 99u);
    EXPECT_EQ(cp932PrefixLength(std::string(98, 'a') + "\x88", 100), 99u);

    std::string sixtyKanji;
    for (int i = 0; i < 60; ++i)
        sixtyKanji += "漢";
    const std::string line = encodeMessageLine(sixtyKanji);
    EXPECT_EQ(line.size(), 100u);
    EXPECT_EQ(cp932ToUtf8(line), sixtyKanji.substr(0, 50 * 3));

    const std::string odd = encodeMessageLine("a" + sixtyKanji);
    EXPECT_EQ(odd.size(), 99u) << "the 50th kanji would end at byte 101";
}

}  // namespace
}  // namespace jigsaw
