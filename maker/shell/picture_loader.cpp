#include "picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "jpeg_reader.h"
#include "picture_checks.h"
#include "picture_region.h"

namespace kestra {

namespace {

enum class PictureType { Bmp, Jpeg, Other };

QString clipboardPicture()
{
    return QCoreApplication::translate("kestra", "クリップボードの画像");
}

[[noreturn]] void refuseUnopened(const QString& path, const QString& reason)
{
    refuseUnreadable(
        QCoreApplication::translate("kestra", "「%1」を開けません。\nファイルがあるか、読む権限があるかを確かめてください。")
            .arg(displayName(path)),
        reason);
}

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

// A row of any format as Format_ARGB32, its transparent parts laid on white.
void rowOnWhite(const QImage& image, int y, QRgb* out)
{
    const int width = image.width();
    const QImage converted = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
                                 ? QImage()
                                 : image.copy(0, y, width, 1).convertToFormat(QImage::Format_ARGB32);
    const auto* row = reinterpret_cast<const QRgb*>(converted.isNull() ? image.constScanLine(y) : converted.constScanLine(0));
    const bool alpha = image.hasAlphaChannel();
    for (int x = 0; x < width; ++x) {
        const QRgb c = row[x];
        const unsigned a = alpha ? static_cast<unsigned>(qAlpha(c)) : 255u;
        const auto onWhite = [a](int v) { return static_cast<int>((static_cast<unsigned>(v) * a + 255u * (255u - a) + 127u) / 255u); };
        out[x] = qRgb(onWhite(qRed(c)), onWhite(qGreen(c)), onWhite(qBlue(c)));
    }
}

LoadedPicture decodeOther(std::span<const std::uint8_t> data, const QString& name, const PictureRegion* region)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                               static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const QString unreadable =
        QCoreApplication::translate("kestra", "「%1」は画像ファイルとして読めません。\nBMP、JPEG、PNG などの画像を選んでください。")
            .arg(displayName(name));
    if (!reader.canRead() || !size.isValid())
        refuseUnreadable(unreadable, reader.errorString());
    checkDimensions(size.width(), size.height(), name);
    if (headersOnly(region)) {
        LoadedPicture picture;
        setTrueColorHeaders(picture, size.width(), size.height());
        return picture;
    }
    // Decoded whole at the format's own depth, then reduced by the same area
    // average as every other picture.
    QImage image;
    {
        const AllocationLimit limit(size);
        if (!reader.read(&image))
            refuseUnreadable(unreadable, reader.errorString());
    }
    const DecodePlan plan = planDecode(image.width(), image.height(), 1, region, false);
    RowReducer reducer(plan.keep, plan.scale.factor);
    if (reducer.isNull())
        refuseOutOfMemory(name);
    std::vector<QRgb> row(static_cast<std::size_t>(image.width()));
    for (int y = plan.keep.top(); y <= plan.keep.bottom(); ++y) {
        rowOnWhite(image, y, row.data());
        reducer.addRow(y, row.data() + plan.keep.left());
    }
    LoadedPicture picture;
    placePart(picture, reducer.take(), plan, image.width(), image.height(), 1);
    setTrueColorHeaders(picture, image.width(), image.height());
    return picture;
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

// A JPEG file is decoded as it is read, so that it never has to be in
// memory whole.
LoadedPicture decodeJpegFile(const QString& path, const PictureRegion* region)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(QFile::encodeName(path).constData(), "rb"),
                                                                 &std::fclose);
    if (!stream)
        refuseUnopened(path, QString::fromLocal8Bit(std::strerror(errno)));
    // The decoder asks for 4 KiB at a time; read the file in larger pieces.
    std::setvbuf(stream.get(), nullptr, _IOFBF, 1 << 20);
    return decodeJpegStream(stream.get(), path, region);
}

// A picture file, whole or the part under a region: a JPEG decoded as it is
// read, a BMP read by rows, anything else mapped (so that a file larger than
// memory can still be read) and decoded by Qt.
LoadedPicture decodeFile(const QString& path, const PictureRegion* region)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuseUnopened(path, file.errorString());
    LoadedPicture picture;
    const PictureType type = pictureType(bytesOf(file.peek(3)), path);
    const qint64 size = file.size();
    if (type == PictureType::Jpeg) {
        picture = decodeJpegFile(path, region);
    } else if (type == PictureType::Bmp && file.peek(2) == "BM") {
        picture = decodeBmpFile(file.handle(), static_cast<std::uint64_t>(size), path, region);
    } else {
        const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
        QByteArray bytes;
        if (mapped == nullptr) {
            bytes = file.readAll();
            if (file.error() != QFileDevice::NoError)
                refuseUnreadable(unreadableFile(path), file.errorString());
        }
        picture = decodePicture(mapped != nullptr ? std::span<const std::uint8_t>(mapped, static_cast<std::size_t>(size))
                                                  : bytesOf(bytes),
                                path, region);
    }
    picture.path = path;
    return picture;
}

}  // namespace

AllocationLimit::AllocationLimit(const QSize& size) : m_previous(QImageReader::allocationLimit())
{
    // Room for the picture at 64 bits a pixel (deep formats decode so), in
    // whole megabytes.
    const qint64 needed = (static_cast<qint64>(size.width()) * size.height() * 8 >> 20) + 1;
    if (m_previous > 0 && needed > m_previous)
        QImageReader::setAllocationLimit(static_cast<int>(std::min<qint64>(needed, std::numeric_limits<int>::max())));
}

AllocationLimit::~AllocationLimit()
{
    QImageReader::setAllocationLimit(m_previous);
}

QString displayName(const QString& name)
{
    return QFileInfo(name).fileName();
}

PictureLoadError::PictureLoadError(LoadFailure failure, const QString& summary, const QString& details)
    : std::runtime_error(
          (details.isEmpty() ? summary : QCoreApplication::translate("kestra", "%1（%2）").arg(summary, details))
              .toStdString()),
      failure_(failure),
      summary_(summary),
      details_(details)
{
}

QString PictureLoadError::message() const
{
    return QString::fromStdString(what());
}

void refuse(LoadFailure failure, const QString& summary, const QString& details)
{
    throw PictureLoadError(failure, summary, details);
}

void refuseOutOfMemory(const QString& name)
{
    refuse(LoadFailure::OutOfMemory,
           QCoreApplication::translate("kestra", "「%1」を読み込むメモリが足りません。\nほかのプログラムを閉じてから、もう一度開いてください。")
               .arg(displayName(name)));
}

void refuseUnreadable(const QString& summary, const QString& details)
{
    refuse(LoadFailure::Unreadable, summary, details);
}

QString unreadableFile(const QString& name)
{
    return QCoreApplication::translate("kestra", "「%1」を読み込めませんでした。\nもう一度開いてみるか、別の画像を選んでください。")
        .arg(displayName(name));
}

QString damagedBmp(const QString& name)
{
    return QCoreApplication::translate("kestra", "「%1」は BMP ファイルとして読めません。壊れているか、読めない形式です。\n画像ソフトで保存し直すか、別の画像を選んでください。")
        .arg(displayName(name));
}

QString damagedJpeg(const QString& name)
{
    return QCoreApplication::translate("kestra", "「%1」は JPEG ファイルとして読めません。壊れているか、読めない形式です。\n画像ソフトで保存し直すか、別の画像を選んでください。")
        .arg(displayName(name));
}

QString pictureSize(std::int64_t width, std::int64_t height)
{
    return QCoreApplication::translate("kestra", "幅 %1 × 高さ %2 ピクセル").arg(width).arg(height);
}

void refuseUnsupported()
{
    refuse(LoadFailure::UnsupportedDepth,
           QCoreApplication::translate(
               "kestra", "TRUE COLOR または ２５６色 以外の画像は使用できません\n画像の読み込みを中止します"));
}

void checkDimensions(std::int64_t width, std::int64_t height, const QString& name)
{
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        refuse(LoadFailure::TooLarge,
               QCoreApplication::translate("kestra", "「%1」は大きすぎて使えません。\n幅も高さも %2 ピクセルまでの画像を使ってください。")
                   .arg(displayName(name))
                   .arg(kMaxPictureSide),
               pictureSize(width, height));
}

void setTrueColorHeaders(LoadedPicture& picture)
{
    setTrueColorHeaders(picture, picture.image.width(), picture.image.height());
}

void setTrueColorHeaders(LoadedPicture& picture, int width, int height)
{
    picture.fileHeader = jigsaw::BITMAPFILEHEADER{};
    picture.fileHeader.bfType = jigsaw::kBmpSignature;
    picture.fileHeader.bfSize = 10000;
    picture.fileHeader.bfOffBits = 54;
    picture.infoHeader = jigsaw::BITMAPINFOHEADER{};
    picture.infoHeader.biSize = 40;
    picture.infoHeader.biWidth = width;
    picture.infoHeader.biHeight = height;
    picture.infoHeader.biPlanes = 1;
    picture.infoHeader.biBitCount = 24;
    picture.palette = {};
}

LoadedPicture decodeJpeg(std::span<const std::uint8_t> data, const QString& name, const PictureRegion* region)
{
    if (data.empty())
        refuseUnreadable(damagedJpeg(name), QCoreApplication::translate("kestra", "ファイルが空です"));
    // The decoder reads through a standard stream, as from a file.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(
        fmemopen(const_cast<std::uint8_t*>(data.data()), data.size(), "rb"), &std::fclose);
    if (!stream)
        refuseOutOfMemory(name);
    return decodeJpegStream(stream.get(), name, region);
}

LoadedPicture decodePicture(std::span<const std::uint8_t> data, const QString& name, const PictureRegion* region)
{
    switch (pictureType(data, name)) {
    case PictureType::Bmp: return decodeBmp(data, name, region);
    case PictureType::Jpeg: return decodeJpeg(data, name, region);
    case PictureType::Other: break;
    }
    return decodeOther(data, name, region);
}

void checkPictureSize(const LoadedPicture& picture)
{
    if (picture.width() < kMinPictureSide || picture.height() < kMinPictureSide)
        refuse(LoadFailure::TooSmall,
               QCoreApplication::translate("kestra", "「%1」は小さすぎてパズルを作れません。\n幅も高さも %2 ピクセル以上の画像を使ってください。")
                   .arg(picture.path.isEmpty() ? clipboardPicture() : displayName(picture.path))
                   .arg(kMinPictureSide),
               pictureSize(picture.width(), picture.height()));
}

LoadedPicture loadPictureFile(const QString& path)
{
    LoadedPicture picture = decodeFile(path, nullptr);
    checkPictureSize(picture);
    return picture;
}

LoadedPicture loadPictureHeaders(const QString& path)
{
    LoadedPicture picture = decodeFile(path, &kHeadersOnly);
    checkPictureSize(picture);
    return picture;
}

LoadedPicture readPictureRegion(const QString& path, const PictureRegion& region, int pictureWidth,
                                int pictureHeight)
{
    LoadedPicture picture = decodeFile(path, &region);
    if (picture.width() != pictureWidth || picture.height() != pictureHeight)
        refuse(LoadFailure::Unreadable,
               QCoreApplication::translate("kestra", "「%1」は読み込んだ後に別の画像に変わっています。\n画像を開き直してから、もう一度パズルを作ってください。")
                   .arg(displayName(path)),
               pictureSize(picture.width(), picture.height()));
    return picture;
}

LoadedPicture pictureFromImage(const QImage& image)
{
    if (image.isNull())
        refuse(LoadFailure::NoPicture, QCoreApplication::translate("kestra", "クリップボードに画像がありません。"));
    checkDimensions(image.width(), image.height(), clipboardPicture());
    LoadedPicture picture;
    picture.image = image.convertToFormat(QImage::Format_RGB32);
    if (picture.image.isNull())
        refuseOutOfMemory(clipboardPicture());
    setTrueColorHeaders(picture);
    checkPictureSize(picture);
    return picture;
}

}  // namespace kestra
