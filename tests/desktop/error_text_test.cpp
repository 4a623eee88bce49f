#include "error_text.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "jzt_file.h"

namespace {

using jigsaw::ErrorCode;
using jigsaw::FormatError;

// An error of `code` with the arguments "<1>", "<2>", … it carries.
FormatError withPlaceholders(ErrorCode code)
{
    switch (jigsaw::errorArgumentCount(code)) {
    case 0:
        return FormatError(code);
    case 1:
        return FormatError(code, {"<1>"});
    case 2:
        return FormatError(code, {"<1>", "<2>"});
    case 3:
        return FormatError(code, {"<1>", "<2>", "<3>"});
    default:
        return FormatError(code, {"<1>", "<2>", "<3>", "<4>"});
    }
}

bool isAscii(const std::string& s)
{
    return std::ranges::all_of(s, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Every code has a Japanese sentence that uses each of its arguments and
// leaves no placeholder unfilled; what() stays a diagnostic in ASCII.
TEST(ErrorText, EveryCodeHasAJapaneseSentenceForItsArguments)
{
    for (const ErrorCode code : jigsaw::kAllErrorCodes) {
        const std::string name(jigsaw::errorCodeName(code));
        SCOPED_TRACE(name);
        const std::size_t count = jigsaw::errorArgumentCount(code);
        ASSERT_LE(count, 4u) << "the shell fills in at most four arguments";
        const FormatError error = withPlaceholders(code);
        const QString text = errorText(error);
        EXPECT_TRUE(std::ranges::any_of(text, [](QChar c) { return c.unicode() >= 0x3000; })) << text.toStdString();
        for (std::size_t i = 1; i <= count; ++i)
            EXPECT_TRUE(text.contains(QStringLiteral("<%1>").arg(i))) << text.toStdString();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("%\\d")))) << text.toStdString();
        EXPECT_TRUE(isAscii(error.what())) << error.what();
        EXPECT_TRUE(std::string(error.what()).starts_with(name)) << error.what();
    }
}

// The sentences are those the programs have always shown, including the
// names of a puzzle's parts and the error underneath another.
TEST(ErrorText, WordsErrorsAsBefore)
{
    try {
        jigsaw::readJzt({});
        FAIL() << "an empty puzzle file was read";
    } catch (const FormatError& e) {
        EXPECT_EQ(errorText(e).toStdString(),
                  "パズルファイルではありません（長さが 0 バイトしかなく、ヘッダーの 6400 バイトに足りません）。");
    }
    EXPECT_EQ(errorText(FormatError(ErrorCode::PuzzleFileTruncated, {"sheet3", 6454, 100})).toStdString(),
              "パズルファイルが途中で切れています（ピース画像（向き 3）に 6454 バイト必要ですが、残りは 100 "
              "バイトです）。");
    EXPECT_EQ(errorText(FormatError(ErrorCode::PuzzleDataBlockMismatch, {jigsaw::block::kTemplateMap})).toStdString(),
              "パズルデータの型紙マップの大きさか色数がヘッダーと合いません。");

    const FormatError full(ErrorCode::FileWriteFailed, {"/tmp/%2.bmp", std::strerror(ENOSPC)});
    const FormatError notSaved(ErrorCode::FinishedPictureNotSaved, {}, full);
    EXPECT_EQ(errorText(notSaved).toStdString(), "完成画像を保存できませんでした。「/tmp/%2.bmp」に書き込めませんでした（" +
                                                     std::string(std::strerror(ENOSPC)) + "）。");
    EXPECT_EQ(std::string(notSaved.what()), "FinishedPictureNotSaved: " + std::string(full.what()));

    const FormatError line(ErrorCode::InMessageLine, {2}, FormatError(ErrorCode::MessageCharacterNotInCp932, {"🌸"}));
    EXPECT_EQ(errorText(line).toStdString(),
              "メッセージの 2 行目: 文字「🌸」はメッセージに使えません（Shift_JIS で表せない文字です）。");

    EXPECT_EQ(errorText(static_cast<const std::exception&>(line)), errorText(line));
    EXPECT_EQ(errorText(std::bad_alloc()), QString::fromUtf8(std::bad_alloc().what()));
}

}  // namespace
