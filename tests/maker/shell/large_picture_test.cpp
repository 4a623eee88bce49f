// Pictures larger than the maker needs: made here (never stored), loaded as
// reduced copies, framed in their own pixels as before.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "data_creation.h"
#include "dib_samples.h"
#include "kestra_doc.h"
#include "picture_loader.h"
#include "picture_reduction.h"
#include "test_pictures.h"

namespace kestra {
namespace {

class LargePicture : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

// A 24-bit BMP file, black (its pixels a hole in the file) but for the rows
// [bandTop, bandBottom), which are `colour`.
bool writeBandedBmp(const QString& path, int width, int height, std::uint32_t offset, int bandTop, int bandBottom,
                    QRgb colour)
{
    const qint64 stride = (static_cast<qint64>(width) * 3 + 3) / 4 * 4;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const std::vector<std::uint8_t> headers = bmpHeaders(width, height, 24, offset);
    f.write(reinterpret_cast<const char*>(headers.data()), static_cast<qint64>(headers.size()));
    if (!f.resize(offset + stride * height))
        return false;
    QByteArray row(stride, '\0');
    for (int x = 0; x < width; ++x) {
        row[3 * x] = static_cast<char>(qBlue(colour));
        row[3 * x + 1] = static_cast<char>(qGreen(colour));
        row[3 * x + 2] = static_cast<char>(qRed(colour));
    }
    for (int y = bandTop; y < bandBottom; ++y) {
        f.seek(offset + stride * (height - 1 - y));
        f.write(row);
    }
    return f.error() == QFileDevice::NoError;
}

// The surface pixel that shows picture pixel (x, y).
QRgb shown(const LoadedPicture& p, int x, int y)
{
    return p.image.pixel(static_cast<int>(static_cast<double>(x) * p.image.width() / p.width()),
                         static_cast<int>(static_cast<double>(y) * p.image.height() / p.height()));
}

TEST(PictureReduction, KeepsTwiceThePixelsTheLargestPuzzleTakes)
{
    EXPECT_EQ(minimumScale(1500, 1000), 1.0);
    EXPECT_EQ(wholeFactorScale(minimumScale(3000, 2000)).factor, 1);
    EXPECT_EQ(jpegDecodeScale(minimumScale(3000, 2000)).num, 6);
    EXPECT_EQ(jpegDecodeScale(0.7, true).num, 8);
    EXPECT_EQ(jpegDecodeScale(minimumScale(640, 480)).num, 8);
    for (const auto& [w, h] : {std::pair{12000, 9000}, {60000, 4000}, {65535, 65535}, {20000, 300}}) {
        const double s = minimumScale(w, h);
        for (const jigsaw::PuzzleSize& size : jigsaw::puzzleSizes()) {
            const double W = size.geometry.width();
            const double H = size.geometry.height();
            double fh = h - 8.0;
            double fw = fh * W / H;
            if (fw > w) {
                fw = w;
                fh = fw * H / W;
            }
            EXPECT_GE(fw * fh * s * s, std::min(2 * W * H, fw * fh) * 0.999) << w << "x" << h;
        }
        EXPECT_GE(jpegDecodeScale(s).scale(), s * 0.999) << w << "x" << h;
        EXPECT_GE(wholeFactorScale(s).scale(), s * 0.999) << w << "x" << h;
    }
    EXPECT_EQ(jpegDecodeScale(minimumScale(12000, 9000)).num, 2);   // 1/4: 3000 × 2250
    EXPECT_EQ(jpegDecodeScale(minimumScale(65535, 65535)).num, 1);  // 1/8, then rows by 4
    EXPECT_EQ(jpegDecodeScale(minimumScale(65535, 65535)).factor, 4);
}

TEST(PictureReduction, RowReducerAveragesBlocksAndEdges)
{
    RowReducer r(QRect(0, 0, 5, 3), 2);
    const QRgb rows[3][5] = {{qRgb(0, 0, 0), qRgb(100, 0, 0), qRgb(10, 10, 10), qRgb(30, 30, 30), qRgb(7, 8, 9)},
                             {qRgb(100, 0, 0), qRgb(0, 0, 0), qRgb(10, 10, 10), qRgb(30, 30, 30), qRgb(9, 8, 7)},
                             {qRgb(1, 2, 3), qRgb(3, 2, 1), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(200, 100, 50)}};
    for (int y = 0; y < 3; ++y)
        r.addRow(y, rows[y]);
    const QImage image = r.take();
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(50, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(20, 20, 20));
    EXPECT_EQ(image.pixel(2, 0), qRgb(8, 8, 8));
    EXPECT_EQ(image.pixel(0, 1), qRgb(2, 2, 2));
    EXPECT_EQ(image.pixel(2, 1), qRgb(200, 100, 50));
}

// A panorama wider than the old limit of 30,000 pixels, and one as wide as
// libjpeg allows, load with their own size.
TEST_F(LargePicture, WideJpegsLoadWithTheirOwnSize)
{
    ASSERT_TRUE(writeJpegRows(path("pano.jpg"), 40000, 2400, [](int y, std::uint8_t* rgb) {
        for (int x = 0; x < 40000; ++x) {
            const bool red = (x / 1000 + y / 600) % 2 == 0;
            rgb[3 * x] = red ? 220 : 20;
            rgb[3 * x + 1] = 40;
            rgb[3 * x + 2] = red ? 20 : 220;
        }
    }));
    const LoadedPicture pano = loadPictureFile(path("pano.jpg"));
    EXPECT_EQ(pano.width(), 40000);
    EXPECT_EQ(pano.height(), 2400);
    EXPECT_LT(pano.image.width(), 40000) << "decoded reduced";
    EXPECT_NEAR(double(pano.image.width()) / pano.image.height(), 40000.0 / 2400, 0.05);
    for (const auto& [x, y] : {std::pair{500, 300}, {1500, 300}, {38500, 2100}, {39500, 1500}}) {
        const bool red = (x / 1000 + y / 600) % 2 == 0;
        const QRgb c = shown(pano, x, y);
        EXPECT_EQ(qRed(c) > qBlue(c), red) << x << "," << y;
    }

    // libjpeg's own limit is 65,500 pixels a side.
    ASSERT_TRUE(writeJpegRows(path("widest.jpg"), 65500, 48, [](int, std::uint8_t* rgb) {
        std::fill(rgb, rgb + 3 * 65500, std::uint8_t{128});
    }));
    const LoadedPicture widest = loadPictureFile(path("widest.jpg"));
    EXPECT_EQ(widest.width(), 65500);
    EXPECT_EQ(qGreen(widest.image.pixel(widest.image.width() - 1, 0)), 128);
}

// BMPs: one over the old 60-million-pixel limit reduced row by row, one whose
// file is over the old 512 MiB limit, one wider than any BMP may be.
TEST_F(LargePicture, LargeBmpsLoadReducedRowByRow)
{
    ASSERT_TRUE(writeBandedBmp(path("big.bmp"), 9000, 7000, 54, 3000, 4000, qRgb(200, 30, 30)));
    const LoadedPicture big = loadPictureFile(path("big.bmp"));
    EXPECT_EQ(big.width(), 9000);
    EXPECT_EQ(big.height(), 7000);
    EXPECT_EQ(big.bitCount(), 24);
    EXPECT_LT(big.image.width(), 9000);
    EXPECT_EQ(shown(big, 4500, 3500), qRgb(200, 30, 30));
    EXPECT_EQ(shown(big, 100, 2000), qRgb(0, 0, 0));
    EXPECT_EQ(shown(big, 8999, 6999), qRgb(0, 0, 0));

    ASSERT_TRUE(writeBandedBmp(path("gap.bmp"), 800, 600, 600u << 20, 0, 300, qRgb(10, 200, 10)));
    ASSERT_GT(QFileInfo(path("gap.bmp")).size(), 512LL << 20);
    const LoadedPicture gap = loadPictureFile(path("gap.bmp"));
    EXPECT_EQ(gap.image.size(), QSize(800, 600));
    EXPECT_EQ(gap.image.pixel(400, 100), qRgb(10, 200, 10));

    std::vector<std::uint8_t> tooWide = bmpHeaders(70000, 40, 24, 54);
    tooWide.resize(tooWide.size() + 70000 * 3 * 40);
    try {
        decodeBmp(tooWide, QStringLiteral("wide.bmp"));
        ADD_FAILURE() << "a BMP 70,000 pixels wide loaded";
    } catch (const PictureLoadError& e) {
        EXPECT_EQ(e.failure(), LoadFailure::TooLarge);
        EXPECT_TRUE(e.message().contains(QLatin1String("65535")));
    }
}


// ---- Sharpness: every frame against an exact area average of the whole picture ----

// Fine text, one-pixel stripes and noise: what a reduced copy loses first.
QImage detailedPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 26) - 32;
            const int stripe = (x / 400 + y / 400) % 2 == 0 ? ((x + y / 3) % 2) * 120 : ((y + x / 5) % 3) * 60;
            row[x] = qRgb(std::clamp(60 + stripe + noise, 0, 255), std::clamp(200 - stripe / 2 + noise, 0, 255),
                          std::clamp(40 + x * 200 / width + noise, 0, 255));
        }
    }
    // Lines of tiny dark glyphs, 3 × 5 pixels each, like small print.
    for (int line = 8; line + 5 < height; line += 24)
        for (int x = 0; x + 3 < width; x += 4)
            for (int bit = 0; bit < 15; ++bit)
                if (((x * 2654435761u + line) >> (bit + 7)) & 1)
                    image.setPixel(x + bit % 3, line + bit / 3, qRgb(10, 10, 20));
    return image;
}

double psnr(const std::vector<jigsaw::ColorRef>& made, const std::vector<jigsaw::ColorRef>& exact)
{
    double sum = 0;
    for (std::size_t i = 0; i < made.size(); ++i)
        for (const auto channel : {jigsaw::redOf, jigsaw::greenOf, jigsaw::blueOf}) {
            const double d = channel(made[i]) - channel(exact[i]);
            sum += d * d;
        }
    return 10 * std::log10(255.0 * 255.0 / (sum / (3.0 * made.size())));
}

// The 1000-piece puzzle's picture from `picture` shown at most 1014 × 700,
// framed by `frame` in the picture's pixels, else by `view` on the view, else
// by default; `frame` is set to the frame used.
std::vector<jigsaw::ColorRef> puzzlePicture(LoadedPicture picture, KRect& frame, const KRect& view)
{
    CKestraDoc doc;
    doc.InstallPicture(std::move(picture));
    doc.FitDisplay(1014, 700);
    doc.SetPuzzleSize(15);
    doc.ResetFrame();
    if (view.width() > 0)
        doc.m_rcFrameView = view;
    doc.UpdateFrameFromView();
    if (frame.width() > 0)
        doc.m_rcFrame = frame;
    frame = doc.m_rcFrame;
    doc.m_nDataFormat = 1;
    return jigsaw::dibSamples(createPuzzle(doc.CreationRequest()).picture);
}

// Made from the whole picture, each puzzle pixel is the exact mean of the
// frame's pixels it covers; from the reduced copy it must come close, on the
// same frame in the picture's pixels, and a frame that needs every pixel must
// come out the same. The frames: one at 1:1, the default one, and one moved
// on the view, as the mouse leaves it.
TEST_F(LargePicture, EveryFrameIsAsSharpAsTheWholePictureGives)
{
    const QString file = path("detail.jpg");
    // Large enough to be shown reduced; the 1:1 frame starts on a block edge.
    ASSERT_TRUE(detailedPicture(6000, 2400).save(file, "JPG", 92));
    const QImage whole = QImage(file).convertToFormat(QImage::Format_RGB32);
    const LoadedPicture reduced = loadPictureFile(file);
    ASSERT_LT(reduced.image.width(), whole.width());
    const jigsaw::PuzzleGeometry g = jigsaw::puzzleSize(15).geometry;
    const std::pair<KRect, KRect> frames[] = {
        {{1600, 800, 1600 + g.width(), 800 + g.height()}, {}}, {{}, {}}, {{}, {300, 120, 700, 380}}};
    for (const auto& [frame, view] : frames) {
        KRect fromReduced = frame;
        KRect fromWhole = frame;
        const std::vector<jigsaw::ColorRef> made = puzzlePicture(reduced, fromReduced, view);
        const std::vector<jigsaw::ColorRef> exact = puzzlePicture(pictureFromImage(whole), fromWhole, view);
        EXPECT_EQ(fromReduced, fromWhole);
        if (frame.width() == g.width())
            EXPECT_EQ(made, exact);
        else
            EXPECT_GE(psnr(made, exact), 40.0) << "view frame " << view.left;
    }
}

}  // namespace
}  // namespace kestra
