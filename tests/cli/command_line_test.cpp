#include "geometry.h"
#include "program_run.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// One run of a program from the command line and what it must leave.
struct Case {
    const char* program;    // "vorpel" or "kestra"
    const char* args;       // split at spaces; {dir} is the test's folder, {long} a line of 120 bytes in CP932
    const char* lang;       // "ja" or "en"
    int exitCode;           // 0 done, 1 failed, 2 wrong command line
    const char* firstLine;  // of standard error, or of standard output when nothing is on standard error;
                            // {hint} is the pointer to --help
    bool fileLeft;          // whether {dir}/out.jzt is there afterwards
};

const Case kCases[] = {
    {"vorpel", "--help", "en", 0, "Usage: vorpel [PUZZLE FILE (.jzt) or SAVED GAME (.jpd)]", false},
    {"vorpel", "-h", "ja", 0, "使い方: vorpel [パズルファイル(.jzt) またはプレイファイル(.jpd)]", false},
    {"vorpel", "--bogus", "en", 2, "vorpel: Unknown option --bogus{hint}", false},
    {"vorpel", "--bogus", "ja", 2, "vorpel: 不明なオプション --bogus{hint}", false},
    {"vorpel", "-platform offscreen --bogus", "ja", 2, "vorpel: 不明なオプション --bogus{hint}", false},
    {"vorpel", "a.jzt b.jzt", "ja", 2, "vorpel: 開けるファイルは一つだけです{hint}", false},
    {"kestra", "--help", "en", 0, "Usage:", false},
    {"kestra", "-h", "ja", 0, "使い方:", false},
    {"kestra", "--bogus", "en", 2, "kestra: There is no option \"--bogus\".{hint}", false},
    {"kestra", "--bogus", "ja", 2, "kestra: 「--bogus」というオプションはありません。{hint}", false},
    {"kestra", "--output {dir}/out.jzt --size 16 {dir}/p.png", "ja", 2,
     "kestra: --size は 0 から 15 までの番号です（「16」は使えません）。{hint}", false},
    {"kestra", "--output {dir}/out.jzt --size big {dir}/p.png", "ja", 2,
     "kestra: --size は 0 から 15 までの番号です（「big」は使えません）。{hint}", false},
    {"kestra", "--output {dir}/out.jzt --format medium {dir}/p.png", "ja", 2,
     "kestra: --format は large か small です（「medium」は使えません）。{hint}", false},
    {"kestra", "--output {dir}/out.jzt --frame 1,2,3 {dir}/p.png", "ja", 2,
     "kestra: --frame は「左,上,右,下」の 4 つの整数です（「1,2,3」は使えません）。{hint}", false},
    {"kestra", "--output {dir}/out.jzt --message 1 --message 2 --message 3 --message 4 {dir}/p.png", "ja", 2,
     "kestra: メッセージは 3 行までです。{hint}", false},
    {"kestra", "--output {dir}/out.jzt", "ja", 2, "kestra: 画像ファイルを指定してください。{hint}", false},
    {"kestra", "--output {dir}/out.jzt {dir}/p.png {dir}/p.png", "ja", 2,
     "kestra: 画像ファイルは 1 つだけ指定してください。{hint}", false},
    {"kestra", "--size 3 {dir}/p.png", "ja", 2,
     "kestra: パズルファイルを作るには --output で出力先を指定してください。{hint}", false},
    {"kestra", "--output", "ja", 2, "kestra: --output の後に値がありません。{hint}", false},
    {"kestra", "--output {dir}/out.jzt {dir}/missing.jpg", "en", 1,
     "kestra: \"missing.jpg\" cannot be opened. Check that the file exists and that you may read it. "
     "(No such file or directory)",
     false},
    {"kestra", "--output {dir}/out.jzt {dir}/broken.jpg", "ja", 1,
     "kestra: 「broken.jpg」は JPEG ファイルとして読めません。壊れているか、読めない形式です。 "
     "画像ソフトで保存し直すか、別の画像を選んでください。（Premature end of JPEG file）",
     false},
    {"kestra", "--output {dir}/no/such/folder/out.jzt {dir}/p.png", "ja", 1,
     "kestra: 「{dir}/no/such/folder/out.jzt」に書き込めませんでした（No such file or directory）。", false},
    {"kestra", "--output {dir}/out.jzt --frame 0,0,2000,100 {dir}/p.png", "ja", 1,
     "kestra: 枠 0,0,2000,100 が画像（1000 × 800）の中に収まっていません。", false},
    {"kestra", "--output {dir}/out.jzt --frame 0,0,49,200 {dir}/p.png", "ja", 1,
     "kestra: 枠 0,0,49,200 は小さすぎます（幅も高さも 50 ピクセル以上にしてください）。", false},
    {"kestra", "--output {dir}/out.jzt --frame 10,10,300,59 {dir}/p.png", "ja", 1,
     "kestra: 枠 10,10,300,59 は小さすぎます（幅も高さも 50 ピクセル以上にしてください）。", false},
    {"kestra", "--output {dir}/out.jzt --message 😀 {dir}/p.png", "ja", 1,
     "kestra: 文字「😀」はメッセージに使えません（Shift_JIS で表せない文字です）。", false},
    // The two runs that make a puzzle, each with a word on standard error.
    {"kestra", "--output {dir}/out.jzt --frame 350,250,400,300 {dir}/p.png", "ja", 0,
     "kestra: 注意: 枠（50 × 50 ピクセル）はパズル（460 × 580 ピクセル）より小さいので、10.33 倍に拡大されてぼやけます。",
     true},
    {"kestra", "--output {dir}/out.jzt --size 6 --message short --message {long} {dir}/p.png", "en", 0,
     "kestra: Line 2 of the message is longer than 100 bytes; it is cut to 100 bytes.", true},
};

QString programPath(const QString& program)
{
    return program == QLatin1String("vorpel") ? QStringLiteral(VORPEL_PATH) : QStringLiteral(KESTRA_PATH);
}

}  // namespace

// Each program's command line, in both languages: exit status 2 and one line
// for a wrong command line, 1 and one line for a failure, 0 for the usage or
// the puzzle made; a failed run leaves no puzzle file.
TEST(CommandLine, ExitCodesMessagesAndFiles)
{
    QTemporaryDir dir;
    QImage photo(1000, 800, QImage::Format_RGB32);
    photo.fill(qRgb(200, 120, 40));
    ASSERT_TRUE(photo.save(dir.filePath(QStringLiteral("p.png")), "PNG"));
    QFile broken(dir.filePath(QStringLiteral("broken.jpg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("\xFF\xD8\xFF\xE0\x00", 5) == 5);
    broken.close();
    const QString out = dir.filePath(QStringLiteral("out.jzt"));
    for (const Case& c : kCases) {
        const QString program = QLatin1String(c.program);
        const bool japanese = QLatin1String(c.lang) == QLatin1String("ja");
        const QString hint = japanese ? QStringLiteral("（%1 --help で使い方を表示します）").arg(program)
                                      : QStringLiteral(" (%1 --help shows how to use it)").arg(program);
        const auto expand = [&](const char* text) {
            return QString::fromUtf8(text)
                .replace(QLatin1String("{dir}"), dir.path())
                .replace(QLatin1String("{hint}"), hint)
                .replace(QLatin1String("{long}"), QStringLiteral("あ").repeated(60));
        };
        SCOPED_TRACE((program + QLatin1Char(' ') + expand(c.args) + QLatin1Char(' ') + QLatin1String(c.lang)).toStdString());
        QFile::remove(out);
        const ProgramRun run = runProgram(programPath(program), expand(c.args).split(QLatin1Char(' ')),
                                          japanese ? QStringLiteral("ja_JP.UTF-8") : QStringLiteral("en_US.UTF-8"));
        EXPECT_EQ(run.exitCode, c.exitCode);
        const QString printed = run.err.isEmpty() ? run.out : run.err;
        EXPECT_EQ(printed.section(QLatin1Char('\n'), 0, 0).toStdString(), expand(c.firstLine).toStdString());
        EXPECT_EQ(QFile::exists(out), c.fileLeft);
        if (c.exitCode != 0) {
            EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        }
    }
}

// The usage names the puzzle of every --size number, in English too.
TEST(CommandLine, UsageListsEverySize)
{
    const QString usage = runProgram(QStringLiteral(KESTRA_PATH), {QStringLiteral("--help")},
                                     QStringLiteral("en_US.UTF-8")).out;
    for (const jigsaw::PuzzleSize& size : jigsaw::puzzleSizes()) {
        const jigsaw::PuzzleGeometry& g = size.geometry;
        const QString line = QStringLiteral("%1: %2 pieces (%3 × %4)\n").arg(size.sizeIndex, 2).arg(g.pieceCount());
        EXPECT_TRUE(usage.contains(line.arg(g.cols).arg(g.rows))) << line.toStdString();
    }
}
