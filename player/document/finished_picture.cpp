#include "finished_picture.h"

#include <algorithm>

#include "dib_samples.h"
#include "format_error.h"

namespace {

using jigsaw::ColorRef;

constexpr ColorRef kWhite = 0x00FFFFFF;
constexpr ColorRef kBlack = 0x00000000;

// The area of the board that becomes the finished picture.
struct FinishedArea {
    int inset = 0;  // half a margin
    int width = 0;
    int height = 0;
};

FinishedArea finishedArea(const CVorpelDoc& doc)
{
    return FinishedArea{doc.GetMargin() / 2, doc.Pitch() * doc.GetCols(), doc.Pitch() * doc.GetRows()};
}

[[noreturn]] void missingPictures()
{
    throw jigsaw::FormatError(jigsaw::ErrorCode::NoPuzzlePictureToFinish);
}

// Each destination pixel is the average of the source pixels its area covers,
// so the reduced picture stays smooth.
void stretchAveraged(const std::vector<ColorRef>& src, int srcW, int srcH, RgbSurface& dst, int dstX, int dstY,
                     int dstW, int dstH)
{
    for (int y = 0; y < dstH; ++y) {
        const int y0 = static_cast<int>(static_cast<long long>(y) * srcH / dstH);
        const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<long long>(y + 1) * srcH / dstH));
        for (int x = 0; x < dstW; ++x) {
            const int x0 = static_cast<int>(static_cast<long long>(x) * srcW / dstW);
            const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<long long>(x + 1) * srcW / dstW));
            unsigned r = 0, g = 0, b = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const ColorRef c = src[static_cast<std::size_t>(sy) * srcW + sx];
                    r += jigsaw::redOf(c);
                    g += jigsaw::greenOf(c);
                    b += jigsaw::blueOf(c);
                }
            const unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            dst.at(dstX + x, dstY + y) = jigsaw::rgb(static_cast<std::uint8_t>((r + n / 2) / n),
                                                     static_cast<std::uint8_t>((g + n / 2) / n),
                                                     static_cast<std::uint8_t>((b + n / 2) / n));
        }
    }
}

// Every piece at its home place, drawn as its turn-1 mask tile combined by OR
// and its turn-1 image tile combined by AND: the piece with a transparent
// surround.
void drawPiecesAtHome(const CVorpelDoc& doc, RgbSurface& work)
{
    const int s = doc.PieceSize();
    const int cols = doc.GetCols();
    const int rows = doc.GetRows();
    const jigsaw::PackedDib& sheet = doc.Sheet(0);
    const jigsaw::PackedDib& mask = doc.Mask();
    if (sheet.empty() || mask.empty() || mask.bitCount() != 1 || sheet.width() < s * cols ||
        sheet.height() < s * rows || mask.width() < s * cols || mask.height() < s * rows)
        missingPictures();
    const std::vector<ColorRef> image = jigsaw::dibSamples(sheet);
    const int sheetW = sheet.width();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            for (int dy = 0; dy < s; ++dy) {
                const std::uint8_t* maskRow = mask.rowFromTop(r * s + dy);
                const ColorRef* imageRow = image.data() + static_cast<std::size_t>(r * s + dy) * sheetW + c * s;
                for (int dx = 0; dx < s; ++dx) {
                    const int mx = c * s + dx;
                    const ColorRef maskColor = ((maskRow[mx >> 3] >> (7 - (mx & 7))) & 1) ? kBlack : kWhite;
                    ColorRef& d = work.at(doc.Pitch() * c + dx, doc.Pitch() * r + dy);
                    d = (d | maskColor) & imageRow[dx];
                }
            }
}

// The panel's mask stretched over the area combined by OR, then its art by
// AND: the picture shows through the art's white window.
void framePanel(const PanelImages& panel, const FinishedArea& area, RgbSurface& result)
{
    const std::vector<ColorRef> mask = jigsaw::dibSamples(panel.mask);
    const std::vector<ColorRef> art = jigsaw::dibSamples(panel.art);
    const int mw = panel.mask.width(), mh = panel.mask.height();
    const int aw = panel.art.width(), ah = panel.art.height();
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            const std::size_t mi = static_cast<std::size_t>(y * mh / area.height) * mw + x * mw / area.width;
            const std::size_t ai = static_cast<std::size_t>(y * ah / area.height) * aw + x * aw / area.width;
            ColorRef& d = result.at(area.inset + x, area.inset + y);
            d = (d | mask[mi]) & art[ai];
        }
}

}  // namespace

ElapsedTime SplitElapsed(std::uint32_t elapsedSeconds)
{
    return ElapsedTime{elapsedSeconds / 3600, elapsedSeconds / 60 - elapsedSeconds / 3600 * 60,
                       elapsedSeconds % 60};
}

ElapsedTime TakeFinalTime(CVorpelDoc& doc, std::uint64_t nowMs)
{
    const auto elapsed = static_cast<std::uint32_t>(doc.ElapsedSeconds(nowMs));
    doc.SetPlayable(0);
    doc.SetElapsedSeconds(static_cast<int>(elapsed));
    doc.SetStartTick(0);
    return SplitElapsed(elapsed);
}

RgbSurface ComposeFinishedPicture(const CVorpelDoc& doc, const PanelImages* panel)
{
    const int w = doc.BoardWidth();
    const int h = doc.BoardHeight();
    const FinishedArea area = finishedArea(doc);
    RgbSurface result(w, h, kWhite);
    if (doc.GetGlue() == 1) {
        const jigsaw::PackedDib& picture = doc.Picture();
        if (picture.empty() || picture.width() != w || picture.height() != h)
            missingPictures();
        stretchAveraged(jigsaw::dibSamples(picture), w, h, result, area.inset, area.inset, area.width,
                        area.height);
    } else {
        drawPiecesAtHome(doc, result);
    }
    if (doc.GetPanel() != 0 && panel && !panel->mask.empty() && !panel->art.empty())
        framePanel(*panel, area, result);
    return result;
}

FinishedBuffer CaptureFinishedPicture(const CVorpelDoc& doc, const RgbSurface& result)
{
    const FinishedArea area = finishedArea(doc);
    if (result.width < area.inset + area.width || result.height < area.inset + area.height)
        missingPictures();
    FinishedBuffer buffer(area.width, area.height);
    for (int y = 0; y < area.height; ++y) {
        std::uint8_t* row = buffer.rowFromTop(y);
        for (int x = 0; x < area.width; ++x) {
            const ColorRef c = result.at(x + area.inset, y + area.inset);
            row[3 * x] = jigsaw::blueOf(c);
            row[3 * x + 1] = jigsaw::greenOf(c);
            row[3 * x + 2] = jigsaw::redOf(c);
        }
    }
    return buffer;
}
