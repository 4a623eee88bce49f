#include "picture_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <gtest/gtest.h>

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

TEST(PictureType, OtherFormatsQtReadsLoadAsTrueColour)
{
    QImage image(40, 40, QImage::Format_Indexed8);
    image.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 0)});
    image.fill(1);
    const QString path = QDir::temp().filePath(QStringLiteral("kestra_loader_test.png"));
    ASSERT_TRUE(image.save(path, "PNG"));
    const LoadedPicture p = loadPictureFile(path);
    QFile::remove(path);
    EXPECT_EQ(p.bitCount(), 24);
    EXPECT_EQ(p.image.pixel(5, 5), qRgb(200, 100, 0));
    EXPECT_EQ(static_cast<int>(p.fileHeader.bfType), jigsaw::kBmpSignature);
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

TEST(JpegLoading, GreyAndCmykBecomeRgbAndDamageIsRefusedByName)
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

    try {
        decodePicture(corpusFile("jpeg/derived/testorig-trunc-half.jpg"), QStringLiteral("half.jpg"));
        ADD_FAILURE() << "a truncated JPEG loaded";
    } catch (const PictureLoadError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("half.jpg")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("読めません")));
    }
}

TEST(PictureSize, TooSmallAndClipboardPicturesGetTheMakersRules)
{
    EXPECT_EQ(decodePicture(corpusFile("jpeg/jpeg-decoder/reftest/grayscale_long.jpg"), QStringLiteral("l.jpg"))
                  .image.height(),
              1000);
    try {
        loadPictureFile(QStringLiteral(CORPUS_DIR "/jpeg/jpeg-decoder/reftest/grayscale_long.jpg"));
        ADD_FAILURE() << "a 1 × 1000 picture was accepted";
    } catch (const PictureLoadError& e) {
        EXPECT_EQ(e.failure(), LoadFailure::TooSmall);
    }
    EXPECT_THROW(pictureFromImage(QImage()), PictureLoadError);
    QImage argb(100, 80, QImage::Format_ARGB32);
    argb.fill(qRgb(1, 2, 3));
    const LoadedPicture p = pictureFromImage(argb);
    EXPECT_EQ(p.bitCount(), 24);
    EXPECT_EQ(p.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(static_cast<std::uint32_t>(p.fileHeader.bfSize), 10000u);
}

}  // namespace
}  // namespace kestra
