#include "picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdio>
#include <memory>

#include "jpeg_reader.h"
#include "picture_checks.h"

namespace kestra {

namespace {

// Larger files cannot hold a picture within the limits in any format we read.
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;

enum class PictureType { Bmp, Jpeg, Other };

PictureType pictureType(std::span<const std::uint8_t> data, const QString& name)
{
    const QString ext = QFileInfo(name).suffix().toLower();
    if (ext == QLatin1String("bmp") || ext == QLatin1String("dib"))
        return PictureType::Bmp;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe") ||
        ext == QLatin1String("jfif"))
        return PictureType::Jpeg;
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        return PictureType::Bmp;
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return PictureType::Jpeg;
    return PictureType::Other;
}

LoadedPicture decodeOther(std::span<const std::uint8_t> data, const QString& name)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                               static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        refuse(LoadFailure::Unreadable,
               QStringLiteral("「%1」は画像ファイルとして読めません（BMP、JPEG、PNG などの画像を選んでください）。")
                   .arg(displayName(name)));
    checkDimensions(size.width(), size.height(), name);
    QImage image;
    if (!reader.read(&image))
        refuse(LoadFailure::Unreadable, QStringLiteral("「%1」は画像ファイルとして読めません（%2）。")
                                            .arg(displayName(name), reader.errorString()));
    LoadedPicture picture;
    picture.image = image.convertToFormat(QImage::Format_RGB32);
    if (picture.image.isNull())
        refuse(LoadFailure::OutOfMemory, QStringLiteral("「%1」を読み込むメモリが足りません。").arg(displayName(name)));
    setTrueColorHeaders(picture);
    return picture;
}

}  // namespace

QString displayName(const QString& name)
{
    return QFileInfo(name).fileName();
}

void refuse(LoadFailure failure, const QString& message)
{
    throw PictureLoadError(failure, message);
}

void refuseUnsupported()
{
    refuse(LoadFailure::UnsupportedDepth,
           QStringLiteral("TRUE COLOR または ２５６色 以外の画像は使用できません\n画像の読み込みを中止します"));
}

void checkDimensions(std::int64_t width, std::int64_t height, const QString& name)
{
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        refuse(LoadFailure::TooLarge,
               QStringLiteral("「%1」は大きすぎて使用できません（一辺 %2 ピクセル、合わせて %3 ピクセルまでの画像を使ってください）。")
                   .arg(displayName(name))
                   .arg(kMaxPictureSide)
                   .arg(kMaxPicturePixels));
}

void setTrueColorHeaders(LoadedPicture& picture)
{
    picture.fileHeader = jigsaw::BITMAPFILEHEADER{};
    picture.fileHeader.bfType = jigsaw::kBmpSignature;
    picture.fileHeader.bfSize = 10000;
    picture.fileHeader.bfOffBits = 54;
    picture.infoHeader = jigsaw::BITMAPINFOHEADER{};
    picture.infoHeader.biSize = 40;
    picture.infoHeader.biWidth = picture.image.width();
    picture.infoHeader.biHeight = picture.image.height();
    picture.infoHeader.biPlanes = 1;
    picture.infoHeader.biBitCount = 24;
    picture.palette = {};
}

LoadedPicture decodeJpeg(std::span<const std::uint8_t> data, const QString& name)
{
    if (data.empty())
        refuse(LoadFailure::Unreadable,
               QStringLiteral("「%1」は JPEG ファイルとして読めません（空のファイルです）。").arg(displayName(name)));
    // The decoder reads through a standard stream, as from a file.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(
        fmemopen(const_cast<std::uint8_t*>(data.data()), data.size(), "rb"), &std::fclose);
    if (!stream)
        refuse(LoadFailure::OutOfMemory, QStringLiteral("「%1」を読み込むメモリが足りません。").arg(displayName(name)));
    return decodeJpegStream(stream.get(), name);
}

LoadedPicture decodePicture(std::span<const std::uint8_t> data, const QString& name)
{
    switch (pictureType(data, name)) {
    case PictureType::Bmp: return decodeBmp(data, name);
    case PictureType::Jpeg: return decodeJpeg(data, name);
    case PictureType::Other: break;
    }
    return decodeOther(data, name);
}

void checkPictureSize(const LoadedPicture& picture)
{
    if (picture.image.width() < kMinPictureSide || picture.image.height() < kMinPictureSide)
        refuse(LoadFailure::TooSmall,
               QStringLiteral("画像が小さすぎてパズルを作れません（%1 × %2 ピクセル）。幅も高さも %3 ピクセル以上の画像を使ってください。")
                   .arg(picture.image.width())
                   .arg(picture.image.height())
                   .arg(kMinPictureSide));
}

LoadedPicture loadPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(LoadFailure::Unreadable,
               QStringLiteral("「%1」を開けません（%2）。").arg(displayName(path), file.errorString()));
    if (file.size() > kMaxFileBytes)
        checkDimensions(kMaxPicturePixels, kMaxPicturePixels, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        refuse(LoadFailure::Unreadable,
               QStringLiteral("「%1」を読めません（%2）。").arg(displayName(path), file.errorString()));
    LoadedPicture picture =
        decodePicture({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())},
                      path);
    checkPictureSize(picture);
    return picture;
}

LoadedPicture pictureFromImage(const QImage& image)
{
    if (image.isNull())
        refuse(LoadFailure::NoPicture, QStringLiteral("クリップボードに画像がありません。"));
    checkDimensions(image.width(), image.height(), QStringLiteral("クリップボードの画像"));
    LoadedPicture picture;
    picture.image = image.convertToFormat(QImage::Format_RGB32);
    if (picture.image.isNull())
        refuse(LoadFailure::OutOfMemory, QStringLiteral("画像を取り込むメモリが足りません。"));
    setTrueColorHeaders(picture);
    checkPictureSize(picture);
    return picture;
}

}  // namespace kestra
