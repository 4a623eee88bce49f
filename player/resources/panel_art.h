#pragma once

#include "packed_dib.h"

// The panels that can frame a finished picture, drawn by code: 320 × 256
// pixels, 256 colours each, as packed DIBs.

// White on the 11-pixel frame along every edge, black inside.
jigsaw::PackedDib PanelMask();

// The frame art of panel 1 (brown wood), 2 (black lacquer) or 3 (gilded
// moulding), white inside the frame.
jigsaw::PackedDib PanelArt(int panel);
