#include "frame_drag.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace kestra {

namespace {

enum Corner { kNone = 0, kTopLeft = 1, kTopRight = 2, kBottomLeft = 3, kBottomRight = 4 };

// Handle indices in m_rcHandle.
constexpr int kHandleTopLeft = 0;
constexpr int kHandleTopRight = 1;
constexpr int kHandleBottomLeft = 2;
constexpr int kHandleBottomRight = 3;

// Truncation toward zero, refusing values that do not fit an int (a nearly
// flat diagonal can project the mouse very far away).
std::optional<int> truncate(double v)
{
    if (!std::isfinite(v) || v <= std::numeric_limits<int>::min() || v >= std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

bool inAnyHandle(const CKestraDoc& doc, KPoint p)
{
    for (const KRect& h : doc.m_rcHandle)
        if (h.contains(p.x, p.y))
            return true;
    return false;
}

void startCorner(CKestraDoc& doc, int corner)
{
    const KRect& f = doc.m_rcFrameView;
    doc.m_nCorner = corner;
    doc.m_hCurrentCursor =
        (corner == kTopLeft || corner == kBottomRight) ? FrameCursor::SizeNWSE : FrameCursor::SizeNESW;
    if (corner == kTopLeft || corner == kBottomRight) {
        doc.m_dAnchorX1 = f.left;
        doc.m_dAnchorY1 = f.top;
    } else {
        doc.m_dAnchorX1 = f.left;
        doc.m_dAnchorY1 = f.bottom;
    }
    doc.m_dAnchorX2 = f.right;
    doc.m_dAnchorY2 = (corner == kTopLeft || corner == kBottomRight) ? f.bottom : f.top;
    doc.m_dSlope = (doc.m_dAnchorY1 - doc.m_dAnchorY2) / (doc.m_dAnchorX1 - doc.m_dAnchorX2);
    doc.m_dIntercept = doc.m_dAnchorY1 - doc.m_dSlope * doc.m_dAnchorX1;
}

// The corner that stays put while `corner` is dragged.
std::pair<double, double> fixedCorner(const CKestraDoc& doc)
{
    switch (doc.m_nCorner) {
    case kTopLeft:
    case kBottomLeft:
        return {doc.m_dAnchorX2, doc.m_dAnchorY2};
    default:
        return {doc.m_dAnchorX1, doc.m_dAnchorY1};
    }
}

// Pulls the dragged corner (X, Y) back onto the client rectangle: along the
// diagonal towards the fixed corner while the ratio is locked, so the frame
// keeps its proportions, and along each axis on its own when it is free.
void clampCorner(const CKestraDoc& doc, const KRect& client, double& X, double& Y)
{
    if (doc.m_bFreeStretch) {
        X = std::clamp<double>(X, client.left, client.right);
        Y = std::clamp<double>(Y, client.top, client.bottom);
        return;
    }
    const auto [fx, fy] = fixedCorner(doc);
    double t = 1.0;
    const auto limit = [&t](double fixed, double moved, double bound) {
        if (moved != fixed)
            t = std::min(t, (bound - fixed) / (moved - fixed));
    };
    if (X > client.right)
        limit(fx, X, client.right);
    if (X < client.left)
        limit(fx, X, client.left);
    if (Y > client.bottom)
        limit(fy, Y, client.bottom);
    if (Y < client.top)
        limit(fy, Y, client.top);
    if (t >= 1.0)
        return;
    // Rounded, so that a corner pulled onto an edge lands on it exactly.
    t = std::max(t, 0.0);
    X = std::round(fx + t * (X - fx));
    Y = std::round(fy + t * (Y - fy));
}

// The frame a corner drag proposes for the mouse at p, its dragged corner
// pulled back onto the client rectangle.
std::optional<KRect> cornerFrame(const CKestraDoc& doc, KPoint p, const KRect& client)
{
    double X = p.x;
    double Y = p.y;
    if (!doc.m_bFreeStretch) {
        // Two points of the diagonal: below/above the mouse (P1) and beside it (P2).
        const double line = doc.m_dSlope * p.x + doc.m_dIntercept;
        const bool useP2 = doc.m_nCorner == kTopLeft ? line > p.y : line < p.y;
        if (useP2) {
            X = (p.y - doc.m_dIntercept) / doc.m_dSlope;
            Y = p.y;
        } else {
            X = p.x;
            Y = line;
        }
    }
    if (std::isfinite(X) && std::isfinite(Y))
        clampCorner(doc, client, X, Y);
    const std::optional<int> x = truncate(X);
    const std::optional<int> y = truncate(Y);
    const std::optional<int> x1 = truncate(doc.m_dAnchorX1);
    const std::optional<int> y1 = truncate(doc.m_dAnchorY1);
    const std::optional<int> x2 = truncate(doc.m_dAnchorX2);
    const std::optional<int> y2 = truncate(doc.m_dAnchorY2);
    if (!x || !y || !x1 || !y1 || !x2 || !y2)
        return std::nullopt;
    switch (doc.m_nCorner) {
    case kTopLeft:
        return KRect{*x, *y, *x2, *y2};
    case kTopRight:
        return KRect{*x1, *y, *x, *y1};
    case kBottomLeft:
        return KRect{*x, *y2, *x2, *y};
    case kBottomRight:
        return KRect{*x1, *y1, *x, *y};
    default:
        return std::nullopt;
    }
}

bool acceptable(const KRect& f, const KRect& client)
{
    return f.left >= client.left && f.top >= client.top && f.right <= client.right && f.bottom <= client.bottom &&
           f.width() >= kMinFrameSide && f.height() >= kMinFrameSide;
}

}  // namespace

bool framePress(CKestraDoc& doc, KPoint p)
{
    const KRect& f = doc.m_rcFrameView;
    if (f.contains(p.x, p.y) && !inAnyHandle(doc, p)) {
        doc.m_hCurrentCursor = FrameCursor::SizeAll;
        doc.m_ptGrab = {p.x - f.left, p.y - f.top};
        doc.m_bMoving = true;
        return true;
    }
    // A diagonal needs a frame with both sides; a collapsed one cannot be resized.
    if (f.width() == 0 || f.height() == 0)
        return false;
    const int order[] = {kHandleTopLeft, kHandleTopRight, kHandleBottomLeft, kHandleBottomRight};
    for (int handle : order) {
        if (doc.m_rcHandle[static_cast<std::size_t>(handle)].contains(p.x, p.y)) {
            startCorner(doc, handle + 1);
            return true;
        }
    }
    return false;
}

bool frameDrag(CKestraDoc& doc, KPoint p, const KRect& client)
{
    KRect& f = doc.m_rcFrameView;
    if (doc.m_bMoving) {
        const int w = f.width();
        const int h = f.height();
        int left = p.x - doc.m_ptGrab.x;
        int top = p.y - doc.m_ptGrab.y;
        // Keep the whole frame in the client area, as the confined cursor did.
        if (left > client.right - w)
            left = client.right - w;
        if (top > client.bottom - h)
            top = client.bottom - h;
        if (left < client.left)
            left = client.left;
        if (top < client.top)
            top = client.top;
        const KRect moved{left, top, left + w, top + h};
        if (moved == f)
            return false;
        f = moved;
        return true;
    }
    if (doc.m_nCorner == kNone)
        return false;
    const std::optional<KRect> proposed = cornerFrame(doc, p, client);
    if (!proposed || !acceptable(*proposed, client) || *proposed == f)
        return false;
    f = *proposed;
    return true;
}

bool frameRelease(CKestraDoc& doc)
{
    if (!doc.m_bMoving && doc.m_nCorner == kNone)
        return false;
    doc.UpdateFrameFromView();
    doc.m_bMoving = false;
    doc.m_nCorner = kNone;
    doc.m_hCurrentCursor = FrameCursor::Arrow;
    return true;
}

FrameCursor frameCursorAt(CKestraDoc& doc, KPoint p)
{
    const bool dragging = doc.m_bMoving || doc.m_nCorner != kNone;
    // Body first, then the handles, so that a handle wins over the body.
    const struct {
        const KRect& region;
        FrameCursor cursor;
    } regions[] = {
        {doc.m_rcFrameView, FrameCursor::SizeAll},
        {doc.m_rcHandle[kHandleTopLeft], FrameCursor::SizeNWSE},
        {doc.m_rcHandle[kHandleBottomRight], FrameCursor::SizeNWSE},
        {doc.m_rcHandle[kHandleTopRight], FrameCursor::SizeNESW},
        {doc.m_rcHandle[kHandleBottomLeft], FrameCursor::SizeNESW},
    };
    bool inside = false;
    for (const auto& r : regions) {
        if (r.region.contains(p.x, p.y)) {
            inside = true;
            if (!dragging)
                doc.m_hCurrentCursor = r.cursor;
        }
    }
    // A drag keeps its cursor wherever the mouse goes; elsewhere the view's arrow.
    return inside || dragging ? doc.m_hCurrentCursor : FrameCursor::Arrow;
}

}  // namespace kestra
