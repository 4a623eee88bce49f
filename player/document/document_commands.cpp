#include "document_commands.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "piece_shapes.h"
#include "play_rules.h"

DocumentEvents& noDocumentEvents()
{
    static DocumentEvents none;
    return none;
}

namespace {

// The occupied slots among 0 to 999 move to the front, ordered by rank and
// within a rank in their tray order; the rest become empty.
template <class Rank>
void arrangeTray(CVorpelDoc& doc, DocumentEvents& events, Rank rank)
{
    constexpr int kArrangedSlots = kMaxPieces - 1;
    std::vector<std::pair<int, int>> occupied;
    for (int slot = 0; slot < kArrangedSlots; ++slot)
        if (doc.GetTrayTurn(slot) != 0)
            occupied.emplace_back(doc.GetTrayPiece(slot), doc.GetTrayTurn(slot));
    std::stable_sort(occupied.begin(), occupied.end(),
                     [&](const auto& a, const auto& b) { return rank(a.first) < rank(b.first); });
    for (int slot = 0; slot < kArrangedSlots; ++slot) {
        const bool filled = slot < static_cast<int>(occupied.size());
        doc.SetTrayPiece(slot, filled ? occupied[static_cast<std::size_t>(slot)].first : 0);
        doc.SetTrayTurn(slot, filled ? occupied[static_cast<std::size_t>(slot)].second : 0);
    }
    events.RedrawAll();
}

}  // namespace

void OnArrangeTray(CVorpelDoc& doc, DocumentEvents& events)
{
    arrangeTray(doc, events, [](int) { return 0; });
}

void OnArrangeEdgesFirst(CVorpelDoc& doc, DocumentEvents& events)
{
    // PieceKind lists corners, then edges, then inner pieces.
    arrangeTray(doc, events, [&doc](int piece) { return KindOfPiece(doc, piece); });
}

void OnReverseStacking(CVorpelDoc& doc, DocumentEvents& events)
{
    const int n = doc.PieceCount();
    auto& zCol = doc.ZCol();
    auto& zRow = doc.ZRow();
    auto& zIndex = doc.ZIndex();
    for (int i = 0; i <= (n - 1) / 2; ++i) {
        const int j = n - 1 - i;
        std::swap(zIndex[zCol[i]][zRow[i]], zIndex[zCol[j]][zRow[j]]);
        std::swap(zCol[i], zCol[j]);
        std::swap(zRow[i], zRow[j]);
    }
    events.RedrawAll();
}

namespace {

void moveOnBoard(CVorpelDoc& doc, DocumentEvents& events, int (*rule)(CVorpelDoc&, const RECT&), const RECT& area)
{
    if (rule(doc, area) == 0)
        return;
    doc.SetModified(1);
    events.RedrawAll();
}

}  // namespace

void OnGatherPieces(CVorpelDoc& doc, DocumentEvents& events, const RECT& area)
{
    moveOnBoard(doc, events, GatherGroups, area);
}

void OnSpreadPieces(CVorpelDoc& doc, DocumentEvents& events, const RECT& area)
{
    moveOnBoard(doc, events, SpreadLoosePieces, area);
}

void OnTogglePreview(CVorpelDoc& doc, DocumentEvents& events)
{
    const bool show = doc.GetPreviewShown() == 0;
    doc.SetPreviewShown(show ? 1 : 0);
    events.PreviewToggled(show);
}

void OnToggleElapsed(CVorpelDoc& doc, DocumentEvents& events)
{
    const bool show = doc.GetElapsedShown() == 0;
    doc.SetElapsedShown(show ? 1 : 0);
    events.ElapsedToggled(show);
}

void OnToggleSpareOption(CVorpelDoc& doc, DocumentEvents& events)
{
    doc.SetSpareOption(1 - doc.GetSpareOption());
    events.RedrawAll();
}

namespace {

void setBlackMode(CVorpelDoc& doc, DocumentEvents& events, int mode)
{
    if (doc.GetBlackMode() == mode)
        return;
    doc.SetBlackMode(mode);
    events.RedrawAll();
}

}  // namespace

void OnBlackNone(CVorpelDoc& doc, DocumentEvents& events)
{
    setBlackMode(doc, events, 0);
}

void OnBlackUncompleted(CVorpelDoc& doc, DocumentEvents& events)
{
    setBlackMode(doc, events, 2);
}

void OnShowMessage(const CVorpelDoc& doc, DocumentEvents& events)
{
    events.ShowMessage(doc.GetMessageText());
}

bool IsCommandEnabled(const CVorpelDoc& doc, int command)
{
    switch (command) {
    case kCmdSavePlayFile:
        return doc.GetPlayable() == 1;
    case kCmdPause:
        return doc.GetStartTick() != 0 && !doc.IsClockPaused();
    default:
        return true;
    }
}

bool IsCommandChecked(const CVorpelDoc& doc, int command)
{
    switch (command) {
    case kCmdTogglePreview:
        return doc.GetPreviewShown() == 1;
    case kCmdToggleElapsed:
        return doc.GetElapsedShown() == 1;
    case kCmdToggleSpareOption:
        return doc.GetSpareOption() == 1;
    case kCmdBlackNone:
        return doc.GetBlackMode() == 0 || doc.GetBlackMode() == 1;
    case kCmdBlackUncompleted:
        return doc.GetBlackMode() == 2;
    default:
        return false;
    }
}

bool ShouldOfferSave(const CVorpelDoc& doc)
{
    return doc.GetModified() == 1 && doc.GetCompleted() != 1;
}
