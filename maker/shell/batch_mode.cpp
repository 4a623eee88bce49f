#include "batch_mode.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <new>

#include "error_text.h"
#include "format_error.h"
#include "frame_drag.h"
#include "geometry.h"
#include "kestra_doc.h"
#include "jzt_file.h"
#include "message_text.h"

namespace kestra {

namespace {

bool parseInt(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

void printError(const QString& message)
{
    const QByteArray line = (QStringLiteral("kestra: ") + message + QLatin1Char('\n')).toUtf8();
    std::fputs(line.constData(), stderr);
}

// The --size numbers with the puzzle each makes, from the size table.
QString sizeList()
{
    QString list = QLatin1Char('\n') + QCoreApplication::translate("kestra", "パズルサイズ（--size）:") + QLatin1Char('\n');
    for (const jigsaw::PuzzleSize& size : jigsaw::puzzleSizes()) {
        const jigsaw::PuzzleGeometry& g = size.geometry;
        list += QStringLiteral("  %1\n").arg(QCoreApplication::translate("kestra", "%1: %2 ピース（%3 × %4）")
                                                  .arg(size.sizeIndex, 2)
                                                  .arg(g.pieceCount())
                                                  .arg(g.cols)
                                                  .arg(g.rows));
    }
    return list;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const QStringList& args, QString& error)
{
    CommandLine cmd;
    bool batchOption = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const auto value = [&](QString& out) {
            if (i + 1 >= args.size()) {
                error = QCoreApplication::translate("kestra", "%1 の後に値がありません。").arg(arg);
                return false;
            }
            out = args[++i];
            return true;
        };
        QString v;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            cmd.action = CommandLine::Action::Help;
            return cmd;
        } else if (arg == QLatin1String("--output")) {
            if (!value(cmd.outputPath))
                return std::nullopt;
            cmd.action = CommandLine::Action::Batch;
        } else if (arg == QLatin1String("--size")) {
            if (!value(v))
                return std::nullopt;
            if (!parseInt(v, cmd.sizeIndex) || cmd.sizeIndex < 0 || cmd.sizeIndex >= jigsaw::kSizeCount) {
                error =
                    QCoreApplication::translate("kestra", "--size は 0 から 15 までの番号です（「%1」は使えません）。")
                        .arg(v);
                return std::nullopt;
            }
            batchOption = true;
        } else if (arg == QLatin1String("--format")) {
            if (!value(v))
                return std::nullopt;
            if (v != QLatin1String("large") && v != QLatin1String("small")) {
                error = QCoreApplication::translate("kestra", "--format は large か small です（「%1」は使えません）。")
                            .arg(v);
                return std::nullopt;
            }
            cmd.smallFormat = v == QLatin1String("small");
            batchOption = true;
        } else if (arg == QLatin1String("--message")) {
            if (!value(v))
                return std::nullopt;
            if (cmd.messageLines.size() == 3) {
                error = QCoreApplication::translate("kestra", "メッセージは 3 行までです。");
                return std::nullopt;
            }
            cmd.messageLines.append(v);
            batchOption = true;
        } else if (arg == QLatin1String("--hide-message")) {
            cmd.showMessageOnOpen = false;
            batchOption = true;
        } else if (arg == QLatin1String("--frame")) {
            if (!value(v))
                return std::nullopt;
            const QStringList parts = v.split(QLatin1Char(','));
            bool ok = parts.size() == 4;
            for (int k = 0; ok && k < 4; ++k)
                ok = parseInt(parts[k].trimmed(), cmd.frame[k]);
            if (!ok) {
                error = QCoreApplication::translate(
                            "kestra", "--frame は「左,上,右,下」の 4 つの整数です（「%1」は使えません）。")
                            .arg(v);
                return std::nullopt;
            }
            cmd.hasFrame = true;
            batchOption = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            error = QCoreApplication::translate("kestra", "「%1」というオプションはありません。").arg(arg);
            return std::nullopt;
        } else {
            if (!cmd.picturePath.isEmpty()) {
                error = QCoreApplication::translate("kestra", "画像ファイルは 1 つだけ指定してください。");
                return std::nullopt;
            }
            cmd.picturePath = arg;
        }
    }
    if (cmd.action == CommandLine::Action::Gui && batchOption) {
        error = QCoreApplication::translate("kestra", "パズルファイルを作るには --output で出力先を指定してください。");
        return std::nullopt;
    }
    if (cmd.action == CommandLine::Action::Batch && cmd.picturePath.isEmpty()) {
        error = QCoreApplication::translate("kestra", "画像ファイルを指定してください。");
        return std::nullopt;
    }
    return cmd;
}

QString usageText()
{
    return QCoreApplication::translate(
        "kestra",
        "使い方:\n"
        "  kestra [画像ファイル]\n"
        "      ウィンドウを開きます。画像ファイルを指定するとそれを読み込みます。\n"
        "  kestra --output 出力.jzt [オプション] 画像ファイル\n"
        "      ウィンドウを開かずにパズルファイルを作ります。\n"
        "\n"
        "オプション:\n"
        "  --output FILE          作るパズルファイル（.jzt）\n"
        "  --size N               パズルサイズの番号 0〜15（下の一覧、既定 0）\n"
        "  --format large|small   一般用データ（サイズ大、既定）か配布用データ（サイズ小）\n"
        "  --message LINE         添付するメッセージの 1 行（3 回まで、UTF-8）\n"
        "  --hide-message         パズルを開いたときにメッセージを表示しない\n"
        "                         （メッセージがなければ表示しません）\n"
        "  --frame L,T,R,B        パズルにする部分（画像のピクセルで左,上,右,下）。\n"
        "                         幅も高さも 50 ピクセル以上。既定は画面と同じ、\n"
        "                         画像の左上に置いた一番大きな枠\n"
        "  --help                 この説明を表示する\n"
        "\n"
        "BMP（256 色、TRUE COLOR）、JPEG、PNG などの画像が使えます。\n"
        "成功すると 0 を返し、失敗すると理由を 1 行表示して 0 以外を返します。\n") +
           sizeList();
}

int runBatch(const CommandLine& cmd)
{
    try {
        CKestraDoc doc;
        // Only the headers now: creation reads the framed region itself.
        doc.InstallPicture(loadPictureHeaders(cmd.picturePath));
        // The frame the window sets up for the picture shown at 1:1.
        doc.FitDisplay(doc.m_nPictureWidth, doc.m_nPictureHeight);
        doc.SetPuzzleSize(cmd.sizeIndex);
        doc.ResetFrame();
        doc.UpdateFrameFromView();
        if (cmd.hasFrame) {
            const KRect f{cmd.frame[0], cmd.frame[1], cmd.frame[2], cmd.frame[3]};
            if (f.left < 0 || f.top < 0 || f.right > doc.m_nPictureWidth || f.bottom > doc.m_nPictureHeight ||
                f.width() <= 0 || f.height() <= 0) {
                printError(
                    QCoreApplication::translate("kestra", "枠 %1,%2,%3,%4 が画像（%5 × %6）の中に収まっていません。")
                        .arg(f.left)
                        .arg(f.top)
                        .arg(f.right)
                        .arg(f.bottom)
                        .arg(doc.m_nPictureWidth)
                        .arg(doc.m_nPictureHeight));
                return 1;
            }
            // The window's smallest frame, the picture shown at 1:1.
            if (f.width() < kMinFrameSide || f.height() < kMinFrameSide) {
                printError(QCoreApplication::translate("kestra", "枠 %1,%2,%3,%4 は小さすぎます（幅も高さも %5 ピクセル以上にしてください）。")
                               .arg(f.left)
                               .arg(f.top)
                               .arg(f.right)
                               .arg(f.bottom)
                               .arg(kMinFrameSide));
                return 1;
            }
            doc.m_rcFrame = f;
        }
        // A frame with fewer pixels than the puzzle makes a soft puzzle: said, not refused.
        if (const double factor = doc.Enlargement(); factor > 0)
            printError(QCoreApplication::translate(
                           "kestra", "注意: 枠（%1 × %2 ピクセル）はパズル（%3 × %4 ピクセル）より小さいので、%5 倍に拡大されてぼやけます。")
                           .arg(doc.m_rcFrame.width())
                           .arg(doc.m_rcFrame.height())
                           .arg(doc.PuzzleWidth())
                           .arg(doc.PuzzleHeight())
                           .arg(factor, 0, 'f', 2));
        bool hasMessage = false;
        for (qsizetype i = 0; i < cmd.messageLines.size(); ++i) {
            const std::string line = cmd.messageLines[i].toStdString();
            // The message dialog cuts a long line too; here the user is told.
            if (jigsaw::utf8ToCp932(line).size() > jigsaw::kMessageLineMax)
                printError(QCoreApplication::translate("kestra", "メッセージの %1 行目は %2 バイトを超えるので、%2 バイトまでで切ります。")
                               .arg(i + 1)
                               .arg(jigsaw::kMessageLineMax));
            hasMessage = hasMessage || !line.empty();
            doc.m_szMessage[static_cast<std::size_t>(i)] = line;
        }
        // Without a message there is nothing for the player to show.
        doc.m_bShowMessageOnOpen = cmd.showMessageOnOpen && hasMessage;
        doc.m_nDataFormat = cmd.smallFormat ? 1 : 0;

        // Check the message before the long work, so a bad line fails at once.
        jigsaw::JztHeader probe;
        setMessage(probe, doc.MessageLines(), doc.m_bShowMessageOnOpen);

        const jigsaw::JztPuzzle puzzle = createPuzzle(doc.CreationRequest());
        savePuzzle(QFileInfo(cmd.outputPath).filesystemAbsoluteFilePath(), puzzle);
        return 0;
    } catch (const PictureLoadError& e) {
        printError(e.message().simplified());
    } catch (const jigsaw::FormatError& e) {
        printError(errorText(e));
    } catch (const std::bad_alloc&) {
        printError(QCoreApplication::translate("kestra", "メモリの確保に失敗しました。処理を中断します。"));
    }
    return 1;
}

}  // namespace kestra
