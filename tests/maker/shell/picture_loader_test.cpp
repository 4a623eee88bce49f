#include "picture_loader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>

#include "largest_allocation.h"
#include "test_pictures.h"

namespace kestra {
namespace {

// ---- The robustness corpus, one case per row of its manifest ----

struct CorpusRow {
    QString path;
    QString expect;
    qint64 width = 0;  // 0 when the manifest declares no size
    qint64 height = 0;
};

std::vector<CorpusRow> corpusRows()
{
    std::vector<CorpusRow> rows;
    QFile manifest(QStringLiteral(CORPUS_DIR "/MANIFEST.tsv"));
    if (!manifest.open(QIODevice::ReadOnly))
        return rows;
    QTextStream in(&manifest);
    in.readLine();  // column names
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char('\t'));
        if (f.size() < 5)
            continue;
        CorpusRow row{f[0], f[3]};
        const QStringList size = f[4].split(QLatin1Char('x'));
        if (size.size() == 2) {
            row.width = size[0].toLongLong();
            row.height = std::abs(size[1].toLongLong());
        }
        rows.push_back(row);
    }
    return rows;
}

class Corpus : public ::testing::TestWithParam<CorpusRow> {};

// What the corpus README asks of each class of row: an accepted file loads at
// its declared size; an unsupported one loads or is refused as unsupported; a
// damaged one is refused with a message that gives the file and the damage;
// an absurdly large one is refused before any large block is allocated.
TEST_P(Corpus, MeetsItsRowsExpectation)
{
    const CorpusRow& row = GetParam();
    const std::vector<std::uint8_t> data = readBytes(QStringLiteral(CORPUS_DIR "/") + row.path);
    ASSERT_TRUE(!data.empty() || row.path.contains(QLatin1String("empty"))) << "corpus file missing";
    const QString& expect = row.expect;
    std::optional<LoadedPicture> loaded;
    std::optional<PictureLoadError> refused;
    resetLargestAllocation();
    try {
        loaded = decodePicture(data, row.path);
    } catch (const PictureLoadError& e) {
        refused = e;
    }
    const std::size_t largest = largestAllocation();

    if (loaded) {
        EXPECT_TRUE(expect.startsWith(QLatin1String("accept")) || expect == QLatin1String("either"))
            << "loaded a file that must be refused";
        if (row.width > 0) {
            EXPECT_EQ(loaded->image.width(), row.width);
            EXPECT_EQ(loaded->image.height(), row.height);
        }
        EXPECT_EQ(loaded->image.format(), QImage::Format_RGB32);
        EXPECT_EQ(loaded->image.width(), static_cast<int>(loaded->infoHeader.biWidth));
        EXPECT_EQ(loaded->image.height(), static_cast<int>(loaded->infoHeader.biHeight));
        const bool indexed = row.path.startsWith(QLatin1String("bmp")) && row.path.contains(QLatin1String("pal8"));
        if (expect == QLatin1String("accept"))
            EXPECT_EQ(loaded->bitCount(), indexed ? 8 : 24);
        else
            EXPECT_TRUE(loaded->bitCount() == 8 || loaded->bitCount() == 24);
    } else {
        ASSERT_TRUE(refused.has_value());
        EXPECT_NE(expect, QLatin1String("accept")) << "refused a valid file: " << refused->what();
        // An unsupported depth gets the maker's fixed warning; the rest name the file.
        if (refused->failure() != LoadFailure::UnsupportedDepth) {
            EXPECT_TRUE(refused->message().contains(QFileInfo(row.path).fileName())) << refused->what();
        }
        if (expect == QLatin1String("accept|unsupported")) {
            EXPECT_EQ(refused->failure(), LoadFailure::UnsupportedDepth) << refused->what();
        }
        // A damaged file in a supported depth is unreadable, and the message
        // says why in brackets after the file's name.
        if (expect == QLatin1String("damaged") && refused->failure() != LoadFailure::UnsupportedDepth) {
            EXPECT_EQ(refused->failure(), LoadFailure::Unreadable) << refused->what();
            const QString reason = refused->message().section(QStringLiteral("（"), 1).section(QStringLiteral("）"), 0, 0);
            EXPECT_FALSE(reason.trimmed().isEmpty()) << "no damage named: " << refused->what();
        }
        EXPECT_FALSE(refused->message().isEmpty());
    }
    if (expect == QLatin1String("damaged")) {
        EXPECT_FALSE(loaded.has_value()) << "a damaged file loaded";
    }
    // A header that claims billions of pixels costs at most the reduced
    // surface that any picture is decoded into (2047 x 2047 for these),
    // never a block the size of what it claims.
    if (expect == QLatin1String("refuse-before-alloc")) {
        EXPECT_LT(largest, std::size_t{64} << 20) << "a block of " << largest << " bytes was allocated";
    }

    // The maker's own entry point: an accepted file loads unless it is too
    // small to frame a puzzle in.
    if (expect != QLatin1String("accept"))
        return;
    const bool framable = row.width >= kMinPictureSide && row.height >= kMinPictureSide;
    try {
        const LoadedPicture p = loadPictureFile(QStringLiteral(CORPUS_DIR "/") + row.path);
        EXPECT_TRUE(framable) << "a picture too small to frame was accepted";
    } catch (const PictureLoadError& e) {
        EXPECT_FALSE(framable) << e.what();
        EXPECT_EQ(e.failure(), LoadFailure::TooSmall) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Manifest, Corpus, ::testing::ValuesIn(corpusRows()),
                         [](const ::testing::TestParamInfo<CorpusRow>& info) {
                             std::string name = std::to_string(info.index) + "_" +
                                                QFileInfo(info.param.path).completeBaseName().toStdString();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(CorpusManifest, IsComplete)
{
    EXPECT_EQ(corpusRows().size(), 179u);
}

// ---- Rules the maker adds on top of the decoders ----

std::vector<std::uint8_t> corpusFile(const char* path)
{
    return readBytes(QStringLiteral(CORPUS_DIR "/") + QLatin1String(path));
}

TEST(PictureType, ComesFromTheExtensionInAnyCaseOrFromTheContent)
{
    const std::vector<std::uint8_t> jpeg = corpusFile("jpeg/libjpeg-turbo/testorig.jpg");
    const std::vector<std::uint8_t> bmp = corpusFile("bmp/bmpsuite/g/pal8.bmp");
    for (const char* name : {"PHOTO.JPG", "photo.jpeg", "photo.Jpe", "photo", "photo.txt"})
        EXPECT_EQ(decodePicture(jpeg, QLatin1String(name)).image.width(), 227) << name;
    for (const char* name : {"PICTURE.BMP", "picture", "picture.dat"})
        EXPECT_EQ(decodePicture(bmp, QLatin1String(name)).bitCount(), 8) << name;
    // An extension that promises a JPEG is held to it.
    EXPECT_THROW(decodePicture(bmp, QStringLiteral("photo.jpg")), PictureLoadError);
}

TEST(BmpLoading, KeepsOnlyTheUsedPaletteEntriesAndTheirColours)
{
    auto palette = cubePalette();
    palette[20] = {1, 2, 3, 0};  // beyond biClrUsed: must not be taken
    std::vector<std::uint8_t> indices(40 * 35);
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = static_cast<std::uint8_t>(i % 16);
    const LoadedPicture p = decodeBmp(makeBmp8(40, 35, palette, indices, 16), QStringLiteral("p.bmp"));
    EXPECT_EQ(p.bitCount(), 8);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(p.palette[static_cast<std::size_t>(i)], palette[static_cast<std::size_t>(i)]);
    for (int i = 16; i < 256; ++i)
        EXPECT_EQ(p.palette[static_cast<std::size_t>(i)], jigsaw::RGBQUAD{}) << i;
    EXPECT_EQ(p.image.pixel(7, 0), qRgb(palette[7].rgbRed, palette[7].rgbGreen, palette[7].rgbBlue));
}

TEST(BmpLoading, LongHeadersTopDownRowsAndRleMatchThePlainPicture)
{
    const QImage plain = decodePicture(corpusFile("bmp/bmpsuite/g/pal8.bmp"), QStringLiteral("a.bmp")).image;
    for (const char* variant : {"bmp/bmpsuite/g/pal8v5.bmp", "bmp/bmpsuite/g/pal8topdown.bmp",
                                "bmp/bmpsuite/g/pal8rle.bmp", "bmp/derived/pal8.dib"}) {
        const LoadedPicture p = decodePicture(corpusFile(variant), QLatin1String(variant));
        EXPECT_EQ(p.bitCount(), 8) << variant;
        EXPECT_EQ(p.image, plain) << variant;
    }
}

TEST(BmpLoading, RefusesLyingSizesOffsetsAndOtherDepths)
{
    const std::vector<std::uint8_t> bmp = makeBmp8(40, 40, cubePalette(), std::vector<std::uint8_t>(1600, 3));
    const auto failure = [](std::vector<std::uint8_t> data, std::size_t at, std::uint8_t value) {
        if (at < data.size())
            data[at] = value;
        try {
            decodeBmp(data, QStringLiteral("bad.bmp"));
        } catch (const PictureLoadError& e) {
            EXPECT_TRUE(e.failure() == LoadFailure::UnsupportedDepth || e.message().contains(QLatin1String("bad.bmp")));
            return e.failure();
        }
        return LoadFailure::NoPicture;
    };
    EXPECT_EQ(failure(bmp, 3, 0), LoadFailure::Unreadable) << "bfSize below bfOffBits";
    EXPECT_EQ(failure({bmp.begin(), bmp.end() - 1}, 0, 'B'), LoadFailure::Unreadable) << "pixels past the end";
    EXPECT_EQ(failure({bmp.begin(), bmp.begin() + 500}, 0, 'B'), LoadFailure::Unreadable) << "palette past the end";
    EXPECT_EQ(failure(bmp, 28, 4), LoadFailure::UnsupportedDepth);
}

TEST(JpegLoading, GreyAndCmykBecomeRgb)
{
    const LoadedPicture grey = decodePicture(corpusFile("jpeg/derived/testorig-gray.jpg"), QStringLiteral("g.jpg"));
    const QRgb c = grey.image.pixel(100, 70);
    EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
    EXPECT_EQ(grey.bitCount(), 24);

    // Plain and Adobe-inverted CMYK agree with Qt's own reader.
    for (const char* file : {"jpeg/pillow/pil_sample_cmyk.jpg", "jpeg/jpeg-decoder/mozilla/jpg-cmyk-1.jpg"}) {
        const LoadedPicture cmyk = decodePicture(corpusFile(file), QStringLiteral("c.jpg"));
        EXPECT_EQ(cmyk.image, QImage(QStringLiteral(CORPUS_DIR "/") + QLatin1String(file)).convertToFormat(QImage::Format_RGB32))
            << file;
    }
}

// A picture from the clipboard: none is refused, any other becomes true colour.
TEST(PictureSize, ClipboardPicturesGetTheMakersRules)
{
    EXPECT_THROW(pictureFromImage(QImage()), PictureLoadError);
    QImage argb(100, 80, QImage::Format_ARGB32);
    argb.fill(qRgb(1, 2, 3));
    const LoadedPicture p = pictureFromImage(argb);
    EXPECT_EQ(p.bitCount(), 24);
    EXPECT_EQ(p.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(static_cast<std::uint32_t>(p.fileHeader.bfSize), 10000u);
}


// ---- Photos as cameras and phones write them ----

class CameraPhoto : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

// A 60 × 40 photo taken sideways: red, green, blue and white quarters
// (top-left, top-right, bottom-left, bottom-right) as stored. Upright, each
// EXIF orientation puts the quarters where its inverse mapping says.
TEST_F(CameraPhoto, ExifOrientationIsHonouredInTheViewAndTheFrame)
{
    const auto stored = [](int x, int y) {
        return x < 30 ? (y < 20 ? qRgb(255, 0, 0) : qRgb(0, 0, 255)) : (y < 20 ? qRgb(0, 255, 0) : qRgb(255, 255, 255));
    };
    // Upright point (X, Y) of a w × h stored picture, on the stored picture.
    const std::function<QPoint(int, int)> inverse[9] = {
        {}, [](int X, int Y) { return QPoint(X, Y); }, [](int X, int Y) { return QPoint(60 - X, Y); },
        [](int X, int Y) { return QPoint(60 - X, 40 - Y); }, [](int X, int Y) { return QPoint(X, 40 - Y); },
        [](int X, int Y) { return QPoint(Y, X); }, [](int X, int Y) { return QPoint(Y, 40 - X); },
        [](int X, int Y) { return QPoint(60 - Y, 40 - X); }, [](int X, int Y) { return QPoint(60 - Y, X); }};
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const QString file = path("sideways.jpg");
        ASSERT_TRUE(writeJpegRows(file, 60, 40, [&](int y, std::uint8_t* rgb) {
            for (int x = 0; x < 60; ++x) {
                const QRgb c = stored(x, y);
                rgb[3 * x] = static_cast<std::uint8_t>(qRed(c));
                rgb[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
                rgb[3 * x + 2] = static_cast<std::uint8_t>(qBlue(c));
            }
        }, {.orientation = o}));
        const LoadedPicture upright = loadPictureFile(file);
        const QSize size = o >= 5 ? QSize(40, 60) : QSize(60, 40);
        ASSERT_EQ(QSize(upright.width(), upright.height()), size);
        ASSERT_EQ(upright.image.size(), size);
        const std::vector<std::uint8_t> data = readBytes(file);
        for (const QPoint& p : {QPoint(size.width() / 4, size.height() / 4), QPoint(size.width() * 3 / 4, size.height() / 4),
                                QPoint(size.width() / 4, size.height() * 3 / 4)}) {
            const QPoint s = inverse[o](p.x(), p.y());
            const QRgb expected = stored(s.x(), s.y());
            const auto near = [&](QRgb c) {
                return std::abs(qRed(c) - qRed(expected)) + std::abs(qGreen(c) - qGreen(expected)) +
                           std::abs(qBlue(c) - qBlue(expected)) < 60;
            };
            EXPECT_TRUE(near(upright.image.pixel(p))) << p.x() << "," << p.y();
            // The frame's region read again lies where the view shows it.
            const PictureRegion frame{p.x() - 4.0, p.y() - 4.0, p.x() + 4.0, p.y() + 4.0, 8, 8};
            const LoadedPicture part = decodeJpeg(data, file, &frame);
            EXPECT_TRUE(near(part.image.pixel(QPoint(static_cast<int>(p.x() * part.scale - part.offsetX),
                                                     static_cast<int>(p.y() * part.scale - part.offsetY)))))
                << "region at " << p.x() << "," << p.y();
        }
    }
}

// PNGs through Qt's reader: indexed ones become true colour, transparent ones
// are read on white, deep ones are not darkened.
TEST_F(CameraPhoto, IndexedTransparentAndDeepPngsAreReadAsTrueColour)
{
    QImage indexed(40, 40, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 0)});
    indexed.fill(1);
    ASSERT_TRUE(indexed.save(path("indexed.png"), "PNG"));
    const LoadedPicture i = loadPictureFile(path("indexed.png"));
    EXPECT_EQ(i.bitCount(), 24);
    EXPECT_EQ(i.image.pixel(5, 5), qRgb(200, 100, 0));
    EXPECT_EQ(static_cast<int>(i.fileHeader.bfType), jigsaw::kBmpSignature);

    QImage alpha(40, 40, QImage::Format_ARGB32);
    alpha.fill(qRgba(255, 0, 0, 0));  // fully transparent, hidden red
    for (int y = 0; y < 40; ++y)
        for (int x = 20; x < 40; ++x)
            alpha.setPixel(x, y, x < 30 ? qRgba(0, 0, 255, 255) : qRgba(0, 0, 0, 128));
    ASSERT_TRUE(alpha.save(path("alpha.png"), "PNG"));
    const LoadedPicture a = loadPictureFile(path("alpha.png"));
    EXPECT_EQ(a.image.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(a.image.pixel(25, 5), qRgb(0, 0, 255));
    EXPECT_EQ(a.image.pixel(35, 5), qRgb(127, 127, 127));

    // Over 16 million pixels at 16 bits a channel: 8 bytes a pixel decoded,
    // more than Qt allows by default; reduced without losing brightness.
    QImage deep(5000, 3400, QImage::Format_RGBX64);
    deep.fill(QColor::fromRgba64(0x8080, 0x4040, 0xC0C0));
    ASSERT_TRUE(deep.save(path("deep.png"), "PNG", 90));
    deep = QImage();
    const LoadedPicture d = loadPictureFile(path("deep.png"));
    EXPECT_EQ(QSize(d.width(), d.height()), QSize(5000, 3400));
    EXPECT_EQ(d.image.pixel(d.image.width() / 2, d.image.height() / 2), qRgb(128, 64, 192));
}

// Runs of one colour, 20,000 × 4,000 pixels: read row by row by the maker's
// own decoder into the reduced surface, never decoded whole first.
TEST_F(CameraPhoto, WideRleBmpsAreReadWithoutTheWholePictureInMemory)
{
    const int width = 20000;
    const int height = 4000;
    std::vector<std::uint8_t> bmp = bmpHeaders(width, height, 8, 54 + 1024);
    bmp[30] = 1;  // BI_RLE8
    const auto palette = cubePalette();
    for (const jigsaw::RGBQUAD& q : palette)
        bmp.insert(bmp.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; x += 250)
            bmp.insert(bmp.end(), {250, static_cast<std::uint8_t>(x < width / 2 ? 1 : 2)});
        bmp.insert(bmp.end(), {0, 0});
    }
    bmp.insert(bmp.end(), {0, 1});
    const std::uint32_t size = static_cast<std::uint32_t>(bmp.size());
    std::memcpy(&bmp[2], &size, 4);
    resetLargestAllocation();
    const LoadedPicture p = decodeBmp(bmp, QStringLiteral("wide.bmp"));
    EXPECT_LE(largestAllocation(), static_cast<std::size_t>(p.image.sizeInBytes()) * 2);
    EXPECT_EQ(QSize(p.width(), p.height()), QSize(width, height));
    const auto colour = [&](int i) { return qRgb(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue); };
    EXPECT_EQ(p.image.pixel(0, 0), colour(1));
    EXPECT_EQ(p.image.pixel(p.image.width() - 1, p.image.height() - 1), colour(2));
}

// Bytes before the end marker and a newer JFIF version harm nothing; a
// progressive photo is read, whole and by region.
TEST_F(CameraPhoto, HarmlessJpegOddsAndProgressiveScansAreRead)
{
    const auto grey = [](int, std::uint8_t* rgb) { std::fill(rgb, rgb + 3 * 64, std::uint8_t{128}); };
    ASSERT_TRUE(writeJpegRows(path("plain.jpg"), 64, 64, grey));
    std::vector<std::uint8_t> tail = readBytes(path("plain.jpg"));
    tail.insert(tail.end() - 2, {0x00, 0x11, 0x22});
    std::vector<std::uint8_t> jfif = readBytes(path("plain.jpg"));
    ASSERT_EQ(jfif[6], 'J');
    jfif[11] = 2;  // JFIF 2.01
    for (const auto& data : {tail, jfif})
        EXPECT_EQ(qGreen(decodeJpeg(data, QStringLiteral("odd.jpg")).image.pixel(5, 5)), 128);

    ASSERT_TRUE(writeJpegRows(path("progressive.jpg"), 3000, 200, [](int y, std::uint8_t* rgb) { photoRow(3000, 200, y, rgb); },
                              {.progressive = true, .fullColour = true}));
    const std::vector<std::uint8_t> data = readBytes(path("progressive.jpg"));
    const QImage reference = QImage(path("progressive.jpg")).convertToFormat(QImage::Format_RGB32);
    const PictureRegion frame{1000, 50, 1100, 150, 100, 100};
    const LoadedPicture part = decodeJpeg(data, QStringLiteral("p.jpg"), &frame);
    ASSERT_EQ(part.scale, 1.0);
    EXPECT_EQ(part.image.pixel(static_cast<int>(1050 - part.offsetX), static_cast<int>(100 - part.offsetY)),
              reference.pixel(1050, 100));
}

}  // namespace
}  // namespace kestra
