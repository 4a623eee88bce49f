#include "error_text.h"

#include <QCoreApplication>

#include <vector>

using jigsaw::ErrorCode;

namespace {

QString pattern(ErrorCode code)
{
    switch (code) {
    case ErrorCode::FileOpenFailed:
        return QCoreApplication::translate("ErrorText", "「%1」を開けません（%2）。");
    case ErrorCode::FileStatFailed:
        return QCoreApplication::translate("ErrorText", "「%1」を調べられません（%2）。");
    case ErrorCode::NotARegularFile:
        return QCoreApplication::translate("ErrorText", "「%1」はファイルではありません。");
    case ErrorCode::FileReadFailed:
        return QCoreApplication::translate("ErrorText", "「%1」を読めません（%2）。");
    case ErrorCode::FileShrankWhileReading:
        return QCoreApplication::translate("ErrorText", "「%1」が読み込み中に短くなりました。");
    case ErrorCode::FileWriteFailed:
        return QCoreApplication::translate("ErrorText", "「%1」に書き込めませんでした（%2）。");
    case ErrorCode::DataEndsEarly:
        return QCoreApplication::translate(
            "ErrorText", "データが途中で終わっています（位置 %1 で %2 バイト必要ですが、残りは %3 バイトです）。");
    case ErrorCode::UnsupportedBitCount:
        return QCoreApplication::translate("ErrorText", "この色数（%1 ビット）の画像は扱えません。");
    case ErrorCode::PictureShapeInvalid:
        return QCoreApplication::translate("ErrorText", "画像の大きさか色数が不正です（%1 × %2、%3 ビット）。");
    case ErrorCode::PictureTooLarge:
        return QCoreApplication::translate("ErrorText", "画像が大きすぎます（%1 × %2）。");
    case ErrorCode::CharsetConversionUnavailable:
        return QCoreApplication::translate("ErrorText", "文字コードの変換（%1 → %2）が使えません。");
    case ErrorCode::MessageCharacterNotInCp932:
        return QCoreApplication::translate("ErrorText",
                                           "文字「%1」はメッセージに使えません（Shift_JIS で表せない文字です）。");
    case ErrorCode::MessageLineTooLong:
        return QCoreApplication::translate("ErrorText", "メッセージの %1 行目が 100 バイトを超えています。");
    case ErrorCode::MessageTooManyLines:
        return QCoreApplication::translate("ErrorText", "メッセージは 3 行までです（%1 行あります）。");
    case ErrorCode::InMessageLine:
        return QCoreApplication::translate("ErrorText", "メッセージの %1 行目: ");
    case ErrorCode::PuzzleFileTooShort:
        return QCoreApplication::translate(
            "ErrorText", "パズルファイルではありません（長さが %1 バイトしかなく、ヘッダーの 6400 バイトに足りません）。");
    case ErrorCode::PuzzleFileSizeUnknown:
        return QCoreApplication::translate("ErrorText", "パズルファイルではないか、壊れています（ヘッダーのピースの並び %1 × %2、セル %3、余白 %4 はどのパズルサイズにも当たりません）。");
    case ErrorCode::PuzzleFileColorFormatInvalid:
        return QCoreApplication::translate("ErrorText",
                                           "パズルファイルが壊れています（色の形式が %1 です。1 か 2 のはずです）。");
    case ErrorCode::PuzzleFileDataFormatInvalid:
        return QCoreApplication::translate("ErrorText",
                                           "パズルファイルが壊れています（データ形式が %1 です。0 か 1 のはずです）。");
    case ErrorCode::PuzzleFileSizeIndexMismatch:
        return QCoreApplication::translate(
            "ErrorText", "パズルファイルが壊れています（サイズ番号 %1 がピースの並び %2 × %3 と合いません）。");
    case ErrorCode::PuzzleFileBlockFieldInvalid:
        return QCoreApplication::translate("ErrorText",
                                           "パズルファイルが壊れています（%1の %2 が %3 です。%4 のはずです）。");
    case ErrorCode::PuzzleFileTruncated:
        return QCoreApplication::translate(
            "ErrorText", "パズルファイルが途中で切れています（%1に %2 バイト必要ですが、残りは %3 バイトです）。");
    case ErrorCode::PuzzleBlockShapeMismatch:
        return QCoreApplication::translate(
            "ErrorText", "書き込もうとしたパズルの%1が、パズルの大きさ（%2 × %3、%4 ビット）と合いません。");
    case ErrorCode::PuzzleSizeUnknown:
        return QCoreApplication::translate("ErrorText",
                                           "書き込もうとしたパズルの大きさがどのパズルサイズにも当たりません。");
    case ErrorCode::PuzzleDataBlockMismatch:
        return QCoreApplication::translate("ErrorText", "パズルデータの%1の大きさか色数がヘッダーと合いません。");
    case ErrorCode::PuzzleDataSizeUnknown:
        return QCoreApplication::translate("ErrorText", "パズルデータの大きさがどのパズルサイズにも当たりません。");
    case ErrorCode::PuzzleDataColorFormatInvalid:
        return QCoreApplication::translate("ErrorText", "パズルデータの色の形式が不正です。");
    case ErrorCode::PuzzleDataFormatInvalid:
        return QCoreApplication::translate("ErrorText", "パズルデータのデータ形式が不正です。");
    case ErrorCode::PlayFileTooShort:
        return QCoreApplication::translate("ErrorText",
                                           "プレイファイルではないか、壊れています（長さが %1 バイトしかありません）。");
    case ErrorCode::PlayFileTruncated:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルが途中で切れています（%1 バイト必要ですが、%2 バイトしかありません）。");
    case ErrorCode::PlayFileNumberOutOfRange:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（数値 65280 は記録できる範囲を超えています）。");
    case ErrorCode::PlayFilePictureHeaderInvalid:
        return QCoreApplication::translate("ErrorText", "プレイファイルではないか、壊れています（%1の情報ヘッダーが %2 × %3、%4 ビットの画像を表していません）。");
    case ErrorCode::PlayFileSizeUnknown:
        return QCoreApplication::translate("ErrorText", "プレイファイルではないか、壊れています（ピースの並び %1 × %2、セル %3、余白 %4 はどのパズルサイズにも当たりません）。");
    case ErrorCode::PlayFileColorFormatInvalid:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（色の形式が %1 と %2 です。1 か 2 のはずです）。");
    case ErrorCode::PlayFileElapsedInvalid:
        return QCoreApplication::translate("ErrorText", "プレイファイルではないか、壊れています（経過時間が不正です）。");
    case ErrorCode::PlayFileDisplayInvalid:
        return QCoreApplication::translate("ErrorText",
                                           "プレイファイルではないか、壊れています（表示の設定が不正です）。");
    case ErrorCode::PlayFileTrayTurnInvalid:
        return QCoreApplication::translate("ErrorText",
                                           "プレイファイルではないか、壊れています（トレイの向きが不正です）。");
    case ErrorCode::PlayFileTrayPieceUnknown:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（トレイに存在しないピース %1 があります）。");
    case ErrorCode::PlayFileBoardPiecesInvalid:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（ボード上のピースの記録が不正です）。");
    case ErrorCode::PlayFileBoardTurnInvalid:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（ボード上のピースの向きが不正です）。");
    case ErrorCode::PlayFileTrayPieceTurnedOnBoard:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（トレイのピース %1 にボード上の向きがあります）。");
    case ErrorCode::PlayFilePiecePlaceInvalid:
        return QCoreApplication::translate(
            "ErrorText",
            "プレイファイルではないか、壊れています（ピース %1 がトレイとボードの一か所にだけあるのではありません）。");
    case ErrorCode::PlayFileStackingInvalid:
        return QCoreApplication::translate("ErrorText",
                                           "プレイファイルではないか、壊れています（重なり順が不正です）。");
    case ErrorCode::PlayFilePieceOutsideGroup:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（ピース %1 が自分のグループに入っていません）。");
    case ErrorCode::PlayFileGroupsInconsistent:
        return QCoreApplication::translate(
            "ErrorText", "プレイファイルではないか、壊れています（グループの記録が食い違っています）。");
    case ErrorCode::PlayFileBoardTooLarge:
        return QCoreApplication::translate("ErrorText", "プレイファイルのピースが広がりすぎていて、ボードに置けません（ピースのある範囲が幅 %1 × 高さ %2 ピクセルあり、%3 ピクセルを超えています）。");
    case ErrorCode::NoGameToSave:
        return QCoreApplication::translate("ErrorText", "保存できるゲームがありません。");
    case ErrorCode::PieceWithoutPlace:
        return QCoreApplication::translate("ErrorText", "置き場所の定まらないピースがあるため、保存できません。");
    case ErrorCode::PiecePlaceUnstorable:
        return QCoreApplication::translate("ErrorText", "ボード上のピース %1 の位置（%2, %3）がプレイファイルに記録できる範囲（0〜%4）の外にあるため、保存できません。");
    case ErrorCode::NoPuzzlePictureToFinish:
        return QCoreApplication::translate("ErrorText", "完成画像を作るためのパズルの画像がありません。");
    case ErrorCode::NoFinishedPicture:
        return QCoreApplication::translate("ErrorText", "保存する完成画像がありません。");
    case ErrorCode::FinishedPictureTooLargeForBmp:
        return QCoreApplication::translate("ErrorText", "完成画像が大きすぎて BMP ファイルにできません。");
    case ErrorCode::JpegCompressionFailed:
        return QCoreApplication::translate("ErrorText", "JPEG の圧縮に失敗しました（%1）。");
    case ErrorCode::FinishedPictureNotSaved:
        return QCoreApplication::translate("ErrorText", "完成画像を保存できませんでした。");
    case ErrorCode::SizeIndexUnknown:
        return QCoreApplication::translate("ErrorText", "パズルサイズの番号 %1 はありません（0〜15）。");
    case ErrorCode::NoPictureToCut:
        return QCoreApplication::translate("ErrorText", "パズルにする画像がありません。");
    case ErrorCode::FrameEmpty:
        return QCoreApplication::translate(
            "ErrorText", "枠の大きさが正しくありません（幅も高さも 1 ピクセル以上にしてください）。");
    case ErrorCode::PaletteMissing:
        return QCoreApplication::translate("ErrorText", "256 色の画像にパレットがありません。");
    }
    return QString::fromLatin1(jigsaw::errorCodeName(code));
}

// Codes whose first argument names a part of the puzzle.
bool namesBlock(ErrorCode code)
{
    return code == ErrorCode::PuzzleFileBlockFieldInvalid || code == ErrorCode::PuzzleFileTruncated ||
           code == ErrorCode::PuzzleBlockShapeMismatch || code == ErrorCode::PuzzleDataBlockMismatch ||
           code == ErrorCode::PlayFilePictureHeaderInvalid;
}

QString blockName(const QString& key)
{
    if (key == QLatin1String(jigsaw::block::kPicture))
        return QCoreApplication::translate("ErrorText", "画像");
    if (key == QLatin1String(jigsaw::block::kSheet))
        return QCoreApplication::translate("ErrorText", "ピース画像");
    if (key == QLatin1String(jigsaw::block::kMask))
        return QCoreApplication::translate("ErrorText", "マスク");
    if (key == QLatin1String(jigsaw::block::kTemplateMap))
        return QCoreApplication::translate("ErrorText", "型紙マップ");
    if (key.startsWith(QLatin1String(jigsaw::block::kSheet)))
        return QCoreApplication::translate("ErrorText", "ピース画像（向き %1）")
            .arg(key.mid(QLatin1String(jigsaw::block::kSheet).size()));
    return key;
}

// All arguments at once, so that one holding "%1" is not filled in again.
QString fill(const QString& text, const std::vector<QString>& a)
{
    switch (a.size()) {
    case 0:
        return text;
    case 1:
        return text.arg(a[0]);
    case 2:
        return text.arg(a[0], a[1]);
    case 3:
        return text.arg(a[0], a[1], a[2]);
    default:
        return text.arg(a[0], a[1], a[2], a[3]);
    }
}

}  // namespace

QString errorText(const jigsaw::FormatError& error)
{
    std::vector<QString> args;
    for (const std::string& a : error.arguments())
        args.push_back(QString::fromStdString(a));
    if (!args.empty() && namesBlock(error.code()))
        args.front() = blockName(args.front());
    QString text = fill(pattern(error.code()), args);
    if (const jigsaw::FormatError* cause = error.cause())
        text += errorText(*cause);
    return text;
}

QString errorText(const std::exception& error)
{
    if (const auto* formatError = dynamic_cast<const jigsaw::FormatError*>(&error))
        return errorText(*formatError);
    return QString::fromUtf8(error.what());
}
