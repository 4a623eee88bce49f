#pragma once

#include "kestra_doc.h"

// The mouse rules of the framing view, as functions of the document so that
// they run without a window. Points and the client rectangle are in view
// pixels. Moving clamps the frame inside the client rectangle (the view does
// not trap the cursor); a corner drag keeps the frame on its diagonal unless
// the stretch option is off.
namespace kestra {

// Left button pressed at p. Starts a move (inside the frame, off the
// handles) or a corner drag (on a handle). Returns true when a drag started.
bool framePress(CKestraDoc& doc, KPoint p);

// Mouse at p. While a drag is in progress, moves the frame or its corner and
// returns true when m_rcFrameView changed. A corner drag is refused while it
// would leave the client rectangle or make the frame 49 pixels or less in
// either direction.
bool frameDrag(CKestraDoc& doc, KPoint p, const KRect& client);

// Left button released: commits the frame to picture pixels. Returns true when
// a drag ended, so the caller redraws the view and the preview.
bool frameRelease(CKestraDoc& doc);

// The cursor to show at p. When idle it first picks m_hCurrentCursor from the
// region under p (frame body, then the handles, which win over the body).
FrameCursor frameCursorAt(CKestraDoc& doc, KPoint p);

}  // namespace kestra
