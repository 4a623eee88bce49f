#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "dib_samples.h"
#include "piece_images.h"
#include "play_rules.h"
#include "views_test_support.h"
#include "zoomed_pieces.h"

namespace {

// The first pixel of a piece's square that lies inside (or outside) its
// outline in the given turn, scanning row by row.
QPoint firstPixel(const CVorpelDoc& doc, int piece, int turn, bool inside)
{
    const int s = doc.PieceSize();
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            if (HitTestPieceTurn(doc, x, y, piece, turn) == inside)
                return {x, y};
    return {-1, -1};
}

}  // namespace

// Every turn of both colour depths: opaque sheet colours inside the outline,
// fully transparent outside, so a piece painted on the board keeps the board
// around it; the silhouette takes the outline alone.
TEST(PieceImages, AlphaFollowsTheMaskInEveryTurnAndDepth)
{
    for (const auto color : {jigsaw::ColorFormat::TrueColor, jigsaw::ColorFormat::Indexed}) {
        FakeClock clock;
        auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, color, clock);
        PieceImages images;
        images.rebuild(*doc);
        ASSERT_FALSE(images.isEmpty());
        const int piece = 7;
        const QRect source = images.sourceRect(piece);
        for (int turn = 1; turn <= 4; ++turn) {
            SCOPED_TRACE(turn);
            const QPoint in = firstPixel(*doc, piece, turn, true);
            const QPoint out = firstPixel(*doc, piece, turn, false);
            ASSERT_GE(in.x(), 0);
            ASSERT_GE(out.x(), 0);
            const QPoint at = source.topLeft() + in;
            const jigsaw::PackedDib& sheet = doc->Sheet(turn - 1);
            const jigsaw::ColorRef c = jigsaw::dibSamples(sheet)[at.y() * sheet.width() + at.x()];
            const QColor expected(jigsaw::redOf(c), jigsaw::greenOf(c), jigsaw::blueOf(c));
            EXPECT_EQ(images.sheet(turn).pixelColor(at), expected);
            EXPECT_EQ(qAlpha(images.sheet(turn).pixel(source.topLeft() + out)), 0);

            QImage target(source.size(), QImage::Format_ARGB32_Premultiplied);
            target.fill(QColor(0, 128, 0));
            QPainter painter(&target);
            images.drawSilhouette(painter, QPoint(0, 0), piece, turn, QColor(10, 20, 30));
            painter.end();
            EXPECT_EQ(target.pixelColor(in), QColor(10, 20, 30));
            EXPECT_EQ(target.pixelColor(out), QColor(0, 128, 0));
        }
    }
}

// A document without pictures, or with pictures that do not fit its
// geometry, gives nothing to draw rather than reading past a picture.
TEST(PieceImages, NothingToDrawWithoutFittingPictures)
{
    CVorpelDoc empty;
    PieceImages images;
    images.rebuild(empty);
    EXPECT_TRUE(images.isEmpty());
    EXPECT_FALSE(images.canDraw(0, 1));

    FakeClock clock;
    auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    doc->SetCols(doc->GetCols() + 1);
    images.rebuild(*doc);
    EXPECT_TRUE(images.isEmpty());
}

// Below actual size a piece is painted reduced smoothly: its outline blends
// into the board (a nearest-neighbour reduction would keep every pixel
// either piece or board), and a pixel inside is the mean of the pixels it
// stands for. New piece images are reduced again.
TEST(ZoomedPieces, ReduceSmoothlyAndFollowNewImages)
{
    FakeClock clock;
    auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    PieceImages images;
    images.rebuild(*doc);
    ZoomedPieces zoomed(images);
    const int piece = 7;
    const auto paint = [&](int percent) {
        const int s = images.pieceSize();
        QImage target(s, s, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::transparent);
        QPainter painter(&target);
        zoomed.draw(painter, QPoint(0, 0), piece, 1, percent);
        return target;
    };
    // The red of the piece's pixel in the middle of its upper-left quarter
    // at 50 % is the mean of the four pixels it stands for.
    const auto expectHalfIsMean = [&] {
        const QPoint mid(images.pieceSize() / 4, images.pieceSize() / 4);
        const QPoint from = images.sourceRect(piece).topLeft() + mid * 2;
        int sum = 0;
        for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
            sum += qRed(images.sheet(1).pixel(from + d));
        EXPECT_NEAR(qRed(paint(50).pixel(mid)), sum / 4, 2);
    };
    const int s = images.pieceSize();
    for (const int percent : {25, 50, 67}) {
        SCOPED_TRACE(percent);
        const QImage shown = paint(percent);
        const int reduced = s * percent / 100 + 1;
        int blended = 0;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
                const int alpha = qAlpha(shown.pixel(x, y));
                blended += alpha > 0 && alpha < 255;
                EXPECT_TRUE((x < reduced && y < reduced) || alpha == 0);
            }
        EXPECT_GT(blended, reduced);
    }
    expectHalfIsMean();

    auto other = loadedDoc(kSize1000, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    images.rebuild(*other);
    expectHalfIsMean();
}
