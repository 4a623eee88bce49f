#pragma once

#include "vorpel_doc.h"

// Helpers shared by the rules of play.

inline bool IsCellInPuzzle(const CVorpelDoc& doc, int c, int r)
{
    return c >= 0 && r >= 0 && c < doc.GetCols() && r < doc.GetRows();
}

// Calls f(c, r) for every member of p's group, column by column.
template <class F>
void ForEachMember(const CVorpelDoc& doc, int p, F&& f)
{
    const GroupMatrix& group = doc.Group(p);
    for (int c = 0; c < doc.GetCols(); ++c)
        for (int r = 0; r < doc.GetRows(); ++r)
            if (group[c][r])
                f(c, r);
}

inline int HeldPiece(const CVorpelDoc& doc) { return doc.GetHoldRow() * doc.GetCols() + doc.GetHoldCol(); }
