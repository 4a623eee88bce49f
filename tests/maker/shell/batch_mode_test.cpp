#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "dib_samples.h"
#include "jzt_file.h"
#include "batch_mode.h"
#include "message_text.h"
#include "picture_loader.h"
#include "test_pictures.h"

namespace {

// Turn 1's mask bit of sheet pixel (x, y from the top): true inside a piece.
bool inside(const jigsaw::PackedDib& mask, int x, int y)
{
    return ((mask.rowFromTop(y)[x / 8] >> (7 - x % 8)) & 1) == 0;
}

// Every piece of sheet 1 shows the picture under its tile: each inside pixel
// away from the bevelled outline equals the picture pixel it was cut from.
void expectSheetsShowThePicture(const jigsaw::JztPuzzle& puzzle, const std::vector<jigsaw::ColorRef>& picture)
{
    const jigsaw::PuzzleGeometry& g = puzzle.header.geometry;
    const std::vector<jigsaw::ColorRef> sheet = jigsaw::dibSamples(puzzle.sheets[0]);
    const int S = g.pieceSize();
    int mismatches = 0;
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            int interior = 0;
            for (int v = 2; v < S - 2; ++v)
                for (int u = 2; u < S - 2; ++u) {
                    const int x = S * c + u;
                    const int y = S * r + v;
                    if (!(inside(puzzle.mask, x, y) && inside(puzzle.mask, x - 2, y) && inside(puzzle.mask, x + 2, y) &&
                          inside(puzzle.mask, x, y - 2) && inside(puzzle.mask, x, y + 2)))
                        continue;
                    ++interior;
                    const std::size_t at = static_cast<std::size_t>(g.pitch() * r + v) * g.width() + g.pitch() * c + u;
                    mismatches += sheet[static_cast<std::size_t>(y) * g.sheetWidth() + x] != picture[at];
                }
            EXPECT_GT(interior, g.cellSize * g.cellSize / 2) << "piece " << c << "," << r;
        }
    EXPECT_EQ(mismatches, 0);
}

// Batch mode in this process, as the program runs it after reading its
// command line; what the command line and the program's words on standard
// error do is the command-line test's part.
class BatchCreation : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    int make(kestra::CommandLine cmd, const QString& picture, const QString& output)
    {
        cmd.action = kestra::CommandLine::Action::Batch;
        cmd.picturePath = picture;
        cmd.outputPath = output;
        return kestra::runBatch(cmd);
    }
};

// Every size in both formats, from an 8-bit BMP and a JPEG of exactly the
// puzzle's size framed whole, so the file's picture is the source itself.
TEST_F(BatchCreation, EverySizeBothFormatsFromBmpAndJpeg)
{
    const auto palette = cubePalette();
    for (int size = 0; size < jigsaw::kSizeCount; ++size) {
        const jigsaw::PuzzleGeometry g = jigsaw::puzzleSize(size).geometry;
        const int w = g.width();
        const int h = g.height();
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                indices[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>((x / 9 + y / 7 * 5) % 216);
        ASSERT_TRUE(writeBytes(path("pic.bmp"), makeBmp8(w, h, palette, indices)));

        ASSERT_TRUE(writeJpegRows(path("pic.jpg"), w, h, [=](int y, std::uint8_t* rgb) { photoRow(w, h, y, rgb); }));
        const QImage decoded = kestra::loadPictureFile(path("pic.jpg")).image;
        std::vector<jigsaw::ColorRef> jpegColours(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb p = decoded.pixel(x, y);
                jpegColours[static_cast<std::size_t>(y) * w + x] = jigsaw::rgb(qRed(p), qGreen(p), qBlue(p));
            }

        for (const char* format : {"large", "small"})
            for (const char* source : {"pic.bmp", "pic.jpg"}) {
                SCOPED_TRACE(testing::Message() << "size " << size << ", " << format << ", " << source);
                const bool bmp = QLatin1String(source).endsWith(QLatin1String("bmp"));
                // A path of its own, so that no earlier run's file can stand in.
                const QString out = dir.filePath(QStringLiteral("out-%1-%2-%3.jzt").arg(size).arg(format, source));
                kestra::CommandLine cmd;
                cmd.sizeIndex = size;
                cmd.smallFormat = QLatin1String(format) == QLatin1String("small");
                cmd.hasFrame = true;
                cmd.frame[2] = w;
                cmd.frame[3] = h;
                ASSERT_EQ(make(cmd, path(source), out), 0);
                const jigsaw::JztPuzzle puzzle = jigsaw::readJztFile(out.toStdString());
                EXPECT_EQ(puzzle.header.geometry, g);
                EXPECT_EQ(puzzle.header.bitCount(), bmp ? 8 : 24);
                const bool large = QLatin1String(format) == QLatin1String("large");
                EXPECT_EQ(puzzle.header.dataFormat, large ? jigsaw::DataFormat::Large : jigsaw::DataFormat::Small);

                std::vector<jigsaw::ColorRef> expected = jpegColours;
                if (bmp) {
                    for (std::size_t i = 0; i < indices.size(); ++i) {
                        const jigsaw::RGBQUAD& q = palette[indices[i]];
                        expected[i] = jigsaw::rgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
                    }
                    EXPECT_EQ(puzzle.picture.rowFromTop(h / 2)[w / 2], indices[static_cast<std::size_t>(h / 2) * w + w / 2])
                        << "the file keeps the picture's own palette indices";
                }
                // The file stores W·H (or W·H·3) bytes of a padded pixel array,
                // so the top rows of some sizes are cut short: compare the rest.
                const std::size_t stored = jigsaw::jztLayout(puzzle.header).pictureData / puzzle.picture.stride();
                const std::size_t firstRow = static_cast<std::size_t>(h) - std::min<std::size_t>(stored, h);
                const std::vector<jigsaw::ColorRef> samples = jigsaw::dibSamples(puzzle.picture);
                EXPECT_TRUE(std::equal(samples.begin() + firstRow * w, samples.end(), expected.begin() + firstRow * w));
                EXPECT_GT(stored, static_cast<std::size_t>(h) * 9 / 10);
                if (large)
                    expectSheetsShowThePicture(puzzle, expected);
                else
                    EXPECT_EQ(puzzle.header.sizeIndex, size);
            }
    }
}

// Batch mode holds to the window's rules: without options the first size is
// made of the whole picture with no message to show, the show flag comes
// only with a message, and a message line longer than the file holds is cut.
TEST_F(BatchCreation, DefaultsMessagesAndTheShowFlag)
{
    QImage photo(1000, 800, QImage::Format_RGB32);
    photo.fill(qRgb(200, 120, 40));
    ASSERT_TRUE(photo.save(path("p.png"), "PNG"));
    const auto made = [this](const QStringList& messages, bool show) {
        kestra::CommandLine cmd;
        cmd.messageLines = messages;
        cmd.showMessageOnOpen = show;
        EXPECT_EQ(make(cmd, path("p.png"), path("out.jzt")), 0);
        return jigsaw::readJztFile(path("out.jzt").toStdString());
    };
    const jigsaw::JztPuzzle plain = made({}, true);
    EXPECT_EQ(plain.header.showMessage, 0);
    EXPECT_EQ(plain.header.geometry, jigsaw::puzzleSize(0).geometry);
    EXPECT_EQ(jigsaw::dibSamples(plain.picture)[1000], jigsaw::rgb(200, 120, 40));
    EXPECT_EQ(made({QStringLiteral("こんにちは")}, true).header.showMessage, 1);
    EXPECT_EQ(made({QStringLiteral("こんにちは")}, false).header.showMessage, 0);
    // The second line is 120 bytes in CP932.
    const jigsaw::JztHeader cut = made({QStringLiteral("短い"), QStringLiteral("あ").repeated(60)}, true).header;
    EXPECT_EQ(jigsaw::cp932ToUtf8(cut.messageLines[0]), "短い");
    EXPECT_EQ(cut.messageLines[1].size(), 100u);
    EXPECT_TRUE(cut.messageLines[2].empty());
}

}  // namespace
