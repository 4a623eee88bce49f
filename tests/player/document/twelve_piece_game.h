#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "document_test_support.h"

// Where a piece lies relative to another: what a shift of the whole board
// keeps.
inline POINT offsetBetween(const RECT& a, const RECT& b) { return POINT{a.left - b.left, a.top - b.top}; }

// A 12-piece game (3 × 4, S 200, pitch 120, margin 80) with every piece still
// in the tray.
class TwelvePieceGame : public testing::Test {
protected:
    FakeClock clock;
    std::unique_ptr<CVorpelDoc> doc =
        loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::TrueColor, clock);
    const int s = doc->PieceSize();
    const int pitch = doc->Pitch();

    RECT rect(int id) const { return doc->PieceRect()[id % 3][id / 3]; }
    POINT at(int id) const { return POINT{rect(id).left, rect(id).top}; }
};
