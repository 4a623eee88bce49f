#include "document_commands.h"

#include <utility>

#include "play_rules.h"

DocumentEvents& noDocumentEvents()
{
    static DocumentEvents none;
    return none;
}

void OnArrangeTray(CVorpelDoc& doc, DocumentEvents& events)
{
    constexpr int kArrangedSlots = kMaxPieces - 1;
    int next = 0;
    for (int slot = 0; slot < kArrangedSlots; ++slot) {
        const int turn = doc.GetTrayTurn(slot);
        if (turn == 0)
            continue;
        const int piece = doc.GetTrayPiece(slot);
        doc.SetTrayPiece(next, piece);
        doc.SetTrayTurn(next, turn);
        ++next;
    }
    for (int slot = next; slot < kArrangedSlots; ++slot) {
        doc.SetTrayPiece(slot, 0);
        doc.SetTrayTurn(slot, 0);
    }
    events.RedrawAll();
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
    return command != kCmdSavePlayFile || doc.GetPlayable() == 1;
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
