#pragma once

#include "kestra_doc.h"

// The mouse rules of the framing view, as functions of the document so that
// they run without a window. Points and the client rectangle are in view
// pixels; the client rectangle is the displayed picture, so the frame never
// covers anything else. Moving clamps the frame inside it (the view does not
// trap the cursor); a corner drag keeps the frame on its diagonal unless the
// stretch option is off, and a corner pushed past the edge stops on it.
namespace kestra {

// The smallest frame side, in view pixels, a corner drag leaves.
inline constexpr int kMinFrameSide = 50;

// Left button pressed at p. Starts a move (inside the frame, off the
// handles) or a corner drag (on a handle). Returns true when a drag started.
bool framePress(CKestraDoc& doc, KPoint p);

// Mouse at p. While a drag is in progress, moves the frame or its corner and
// returns true when m_rcFrameView changed. A corner past the client edge is
// pulled back onto it (along the diagonal while the ratio is locked); a frame
// of 49 pixels or less in either direction is refused.
bool frameDrag(CKestraDoc& doc, KPoint p, const KRect& client);

// Left button released: commits the frame to picture pixels. Returns true when
// a drag ended, so the caller redraws the view and the preview.
bool frameRelease(CKestraDoc& doc);

// The cursor to show at p. When idle it first picks m_hCurrentCursor from the
// region under p (frame body, then the handles, which win over the body).
FrameCursor frameCursorAt(CKestraDoc& doc, KPoint p);

}  // namespace kestra
