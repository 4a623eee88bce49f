#include "kestra_doc.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <utility>

#include "picture_reduction.h"

CKestraDoc::CKestraDoc()
{
    SetPuzzleSize(0);
}

void CKestraDoc::InstallPicture(kestra::LoadedPicture picture)
{
    m_fileHeader = picture.fileHeader;
    m_infoHeader = picture.infoHeader;
    m_aColorTable = picture.palette;
    m_imgPicture = std::move(picture.image);
    m_dSurfaceScale = picture.scale;
    m_dSurfaceOffsetX = picture.offsetX;
    m_dSurfaceOffsetY = picture.offsetY;
    m_strPictureFile = picture.path;
    m_imgFramed = QImage();
    m_nPictureWidth = m_infoHeader.biWidth;
    m_nPictureHeight = m_infoHeader.biHeight;
    m_bPictureLoaded = true;
}

void CKestraDoc::FitDisplay(int availableWidth, int availableHeight)
{
    const long long pw = m_nPictureWidth;
    const long long ph = m_nPictureHeight;
    m_nDisplayHeight = m_nPictureHeight <= availableHeight ? m_nPictureHeight : availableHeight;
    const long long candidate = m_nDisplayHeight * pw / ph;
    if (candidate > availableWidth) {
        m_nDisplayWidth = availableWidth;
        m_nDisplayHeight = static_cast<int>(m_nDisplayWidth * ph / pw);
    } else {
        m_nDisplayWidth = static_cast<int>(candidate);
    }
    // The frame arithmetic divides by the display size.
    m_nDisplayWidth = std::max(m_nDisplayWidth, 1);
    m_nDisplayHeight = std::max(m_nDisplayHeight, 1);
}

kestra::SourcePicture CKestraDoc::SourceOf(const QImage& image, double scale, double offsetX, double offsetY) const
{
    kestra::SourcePicture s;
    s.width = image.width();
    s.height = image.height();
    s.pixels = reinterpret_cast<const std::uint32_t*>(image.constBits());
    s.stride = static_cast<std::size_t>(image.bytesPerLine()) / 4;
    s.pictureWidth = m_nPictureWidth;
    s.pictureHeight = m_nPictureHeight;
    s.scale = scale;
    s.offsetX = offsetX;
    s.offsetY = offsetY;
    return s;
}

kestra::SourcePicture CKestraDoc::Source() const
{
    return SourceOf(m_imgPicture, m_dSurfaceScale, m_dSurfaceOffsetX, m_dSurfaceOffsetY);
}

kestra::SourcePicture CKestraDoc::FramedSource()
{
    const KRect& f = m_rcFrame;
    const double needed = kestra::regionScale(f.width(), f.height(), PuzzleWidth(), PuzzleHeight());
    if (m_strPictureFile.isEmpty() || (!m_imgPicture.isNull() && m_dSurfaceScale >= needed))
        return Source();
    const kestra::PictureRegion region{static_cast<double>(f.left), static_cast<double>(f.top),
                                       static_cast<double>(f.right), static_cast<double>(f.bottom),
                                       PuzzleWidth(), PuzzleHeight()};
    m_imgFramed = QImage();
    kestra::LoadedPicture part = kestra::readPictureRegion(m_strPictureFile, region, m_nPictureWidth, m_nPictureHeight);
    m_imgFramed = std::move(part.image);
    return SourceOf(m_imgFramed, part.scale, part.offsetX, part.offsetY);
}

double CKestraDoc::Enlargement() const
{
    const double frame = static_cast<double>(m_rcFrame.width()) * m_rcFrame.height();
    const double puzzle = static_cast<double>(PuzzleWidth()) * PuzzleHeight();
    return frame > 0 && frame < puzzle ? std::sqrt(puzzle / frame) : 0.0;
}

KRect CKestraDoc::SurfaceRect(const KRect& picture) const
{
    const double s = m_dSurfaceScale;
    return {static_cast<int>(std::floor(picture.left * s - m_dSurfaceOffsetX)),
            static_cast<int>(std::floor(picture.top * s - m_dSurfaceOffsetY)),
            static_cast<int>(std::ceil(picture.right * s - m_dSurfaceOffsetX)),
            static_cast<int>(std::ceil(picture.bottom * s - m_dSurfaceOffsetY))};
}

void CKestraDoc::ResetFrame()
{
    // 64-bit intermediates: picture sides times puzzle sides can pass 2^31.
    const long long W = PuzzleWidth();
    const long long H = PuzzleHeight();
    long long h = m_nPictureHeight - 8;
    long long w = h * W / H;
    if (w > m_nPictureWidth) {
        w = m_nPictureWidth;
        h = w * H / W;
    }
    m_rcFrame = {0, 0, static_cast<int>(w), static_cast<int>(h)};
    m_rcFrameView = {1, 1, static_cast<int>(w * m_nDisplayWidth / m_nPictureWidth - 1),
                     static_cast<int>(h * m_nDisplayHeight / m_nPictureHeight - 1)};
}

void CKestraDoc::UpdateFrameFromView()
{
    const KRect& v = m_rcFrameView;
    const auto sx = [this](long long x) { return static_cast<int>(x * m_nPictureWidth / m_nDisplayWidth); };
    const auto sy = [this](long long y) { return static_cast<int>(y * m_nPictureHeight / m_nDisplayHeight); };
    m_rcFrame = {sx(v.left), sy(v.top), sx(v.right), sy(v.bottom) - 8};
    const auto handle = [](int x, int y) { return KRect{x - 5, y - 5, x + 5, y + 5}; };
    m_rcHandle = {handle(v.left, v.top), handle(v.right, v.top), handle(v.left, v.bottom),
                  handle(v.right, v.bottom)};
}

void CKestraDoc::SetPuzzleSize(int sizeIndex)
{
    if (sizeIndex < 0 || sizeIndex >= jigsaw::kSizeCount)
        return;
    const jigsaw::PuzzleGeometry& g = jigsaw::puzzleSize(sizeIndex).geometry;
    m_nSizeIndex = sizeIndex;
    m_nCols = g.cols;
    m_nRows = g.rows;
    m_nCellSize = g.cellSize;
    m_nMargin = g.margin;
    m_nPieceSize = g.pieceSize();
    m_nMaskPad = jigsaw::maskPadUnits(g);
    m_nRowPad24 = jigsaw::rowPad24(g);
    m_nMapPad = jigsaw::mapPad(g);
}

jigsaw::PuzzleGeometry CKestraDoc::Geometry() const
{
    return {m_nCols, m_nRows, m_nCellSize, m_nMargin};
}

int CKestraDoc::PuzzleWidth() const
{
    return Geometry().width();
}

int CKestraDoc::PuzzleHeight() const
{
    return Geometry().height();
}

void CKestraDoc::InitPaths(const QString& applicationFilePath)
{
    const QFileInfo exe(applicationFilePath);
    m_strModuleDir = exe.absolutePath() + QLatin1Char('/');
    m_szIniPath = m_strModuleDir + exe.completeBaseName() + QStringLiteral(".ini");
    m_strPicturePath = m_strModuleDir;
    m_strDataPath = m_strModuleDir;
}

std::vector<std::string> CKestraDoc::MessageLines() const
{
    return {m_szMessage.begin(), m_szMessage.end()};
}

kestra::CreationRequest CKestraDoc::CreationRequest()
{
    kestra::CreationRequest r;
    r.source = FramedSource();
    r.frame = {m_rcFrame.left, m_rcFrame.top, m_rcFrame.right, m_rcFrame.bottom};
    r.sizeIndex = m_nSizeIndex;
    r.format = m_nDataFormat == 1 ? jigsaw::DataFormat::Small : jigsaw::DataFormat::Large;
    r.bitCount = m_infoHeader.biBitCount == 8 ? 8 : 24;
    r.palette = &m_aColorTable;
    r.fileHeader = m_fileHeader;
    r.messageLines = MessageLines();
    r.showMessageOnOpen = m_bShowMessageOnOpen;
    return r;
}
