#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bmp_headers.h"
#include "data_creation.h"
#include "geometry.h"
#include "picture_loader.h"

// A rectangle as the maker keeps it: left and top inclusive, right and bottom
// exclusive, as in the window system the layout comes from.
struct KRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const KRect&) const = default;
};

struct KPoint {
    int x = 0;
    int y = 0;
    bool operator==(const KPoint&) const = default;
};

// The cursor the framing view shows over the frame and its handles.
enum class FrameCursor { Arrow, Cross, SizeAll, SizeNWSE, SizeNESW };

// The maker's document: the picture, the frame on it, the puzzle size and the
// choices of data creation. Created once and reused for every picture. It
// holds no widgets; the views redraw themselves after calling the operations
// below.
class CKestraDoc {
public:
    CKestraDoc();

    // ---- Picture ----
    jigsaw::BITMAPFILEHEADER m_fileHeader;
    jigsaw::BITMAPINFOHEADER m_infoHeader;        // biBitCount 8: 256-colour picture with m_aColorTable
    std::array<jigsaw::RGBQUAD, 256> m_aColorTable{};
    // The picture surface, Format_RGB32: the whole picture, 1:1 or for a large
    // picture a reduced copy. Frames are in the picture's own pixels
    // (m_nPictureWidth × m_nPictureHeight); SurfaceRect maps them onto it.
    QImage m_imgPicture;
    double m_dSurfaceScale = 1.0;    // surface pixels per picture pixel, exactly
    double m_dSurfaceOffsetX = 0.0;
    double m_dSurfaceOffsetY = 0.0;
    QString m_strPictureFile;        // the file the picture came from; empty for the clipboard
    QImage m_imgFramed;              // the framed region read again for creation
    int m_nPictureWidth = 640;
    int m_nPictureHeight = 480;
    int m_nDisplayWidth = 640;                    // size at which the view shows the whole picture
    int m_nDisplayHeight = 480;
    bool m_bPictureLoaded = false;

    // Replaces the picture by a loaded one (headers, colour table, surface and
    // size) and marks the document as holding a picture. The caller then fits
    // the display (FitDisplay) and sets up the frame (ResetFrame,
    // UpdateFrameFromView), as after every load.
    void InstallPicture(kestra::LoadedPicture picture);

    // The display size for a screen area of availableWidth × availableHeight
    // (desktop less the window's borders): 1:1 when the picture fits, else
    // scaled down keeping its proportions, in integer arithmetic.
    void FitDisplay(int availableWidth, int availableHeight);

    // The picture as the view and the preview read it: the surface.
    kestra::SourcePicture Source() const;

    // The picture as data creation reads it: the surface when it is as fine
    // as the frame and the puzzle size need, else the framed region read
    // again from the file (kept until the next call). Throws
    // kestra::PictureLoadError when the file cannot be read again.
    kestra::SourcePicture FramedSource();

    // How many times the puzzle enlarges the framed area (the square root of
    // the puzzle's pixels over the frame's), or 0 when it does not.
    double Enlargement() const;

    // The part of the surface under `picture` (in picture pixels), widened to
    // whole surface pixels.
    KRect SurfaceRect(const KRect& picture) const;

    // ---- Frame ----
    KRect m_rcFrameView;             // in view pixels
    KRect m_rcFrame;                 // in picture pixels, derived from m_rcFrameView
    std::array<KRect, 4> m_rcHandle; // top-left, top-right, bottom-left, bottom-right
    bool m_bMoving = false;
    int m_nCorner = 0;               // 0 none; 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right
    KPoint m_ptGrab;                 // mouse offset from the frame's top-left while moving
    double m_dSlope = 0.0;           // diagonal through the dragged corner: y = slope·x + intercept
    double m_dIntercept = 0.0;
    double m_dAnchorX1 = 0.0;        // frame corners captured when a corner drag starts
    double m_dAnchorY1 = 0.0;
    double m_dAnchorX2 = 0.0;
    double m_dAnchorY2 = 0.0;
    bool m_bFreeStretch = false;     // corners follow the mouse instead of the diagonal
    FrameCursor m_hCurrentCursor = FrameCursor::Arrow;

    // The largest frame of the puzzle's proportions at the picture's top-left.
    void ResetFrame();
    // m_rcFrame and the handles from m_rcFrameView (the picture frame's bottom
    // edge lies 8 pixels above the plain scaling).
    void UpdateFrameFromView();

    // ---- Puzzle size ----
    int m_nSizeIndex = 0;
    int m_nCols = 7;
    int m_nRows = 9;
    int m_nCellSize = 20;
    int m_nMargin = 40;
    int m_nPieceSize = 100;
    int m_nMaskPad = 4;
    int m_nRowPad24 = 0;
    int m_nMapPad = 2;

    // Sets the size members for size index 0..15 (others are ignored).
    void SetPuzzleSize(int sizeIndex);
    jigsaw::PuzzleGeometry Geometry() const;
    int PuzzleWidth() const;   // W
    int PuzzleHeight() const;  // H

    // ---- Shell: message, data format, paths ----
    KRect m_rcMainWnd{0, 0, 640, 480};
    QString m_strModuleDir;      // folder of the executable, with a trailing separator
    QString m_szIniPath;         // settings file beside the executable, named after it
    QString m_strPicturePath;    // last picture chosen in the file dialog
    QString m_strDataPath;       // last puzzle file written
    std::array<std::string, 3> m_szMessage;  // attached message, UTF-8, one line each
    bool m_bShowMessageOnOpen = true;
    int m_nDataFormat = 0;       // 0 large (general), 1 small (distribution)

    // Builds the module folder, the settings path and the start paths from the
    // executable's full path.
    void InitPaths(const QString& applicationFilePath);

    // The message lines that are set, for data creation.
    std::vector<std::string> MessageLines() const;

    // What data creation needs from the document, in one request (with
    // FramedSource's picture).
    kestra::CreationRequest CreationRequest();

private:
    // `image` as a source of the picture: picture coordinate p lies at
    // p · scale − offset in it (see kestra::SourcePicture).
    kestra::SourcePicture SourceOf(const QImage& image, double scale, double offsetX, double offsetY) const;
};
