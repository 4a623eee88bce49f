#include "document_commands.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "document_test_support.h"

namespace {

// Both arrangements close the gaps and keep the turns; edges first puts the
// corners (0, 2, 9, 11 of the 3 × 4 grid), then the edges, then the inner
// pieces, each in tray order. Slot 1000 is left alone.
TEST(ArrangeTray, ClosesGapsKeepingOrderAndTurns)
{
    using Slot = std::pair<int, int>;  // piece, turn
    const std::pair<void (*)(CVorpelDoc&, DocumentEvents&), std::vector<Slot>> cases[] = {
        {OnArrangeTray, {{7, 1}, {5, 3}, {4, 2}, {11, 4}, {3, 1}, {0, 3}}},
        {OnArrangeEdgesFirst, {{11, 4}, {0, 3}, {5, 3}, {3, 1}, {7, 1}, {4, 2}}},
    };
    const Slot tray[] = {{7, 1}, {2, 0}, {5, 3}, {9, 0}, {4, 2}, {11, 4}, {3, 1}, {0, 3}};
    for (const auto& [command, arranged] : cases) {
        CVorpelDoc doc;
        for (int slot = 0; slot < 12; ++slot) {
            doc.SetTrayPiece(slot, slot < 8 ? tray[slot].first : slot);
            doc.SetTrayTurn(slot, slot < 8 ? tray[slot].second : 0);
        }
        doc.SetTrayPiece(1000, 6);
        doc.SetTrayTurn(1000, 4);
        RecordingEvents events;
        command(doc, events);

        for (int slot = 0; slot <= 1000; ++slot) {
            const Slot expected =
                slot < 6 ? arranged[static_cast<std::size_t>(slot)] : slot < 1000 ? Slot{0, 0} : Slot{6, 4};
            ASSERT_EQ(Slot(doc.GetTrayPiece(slot), doc.GetTrayTurn(slot)), expected) << slot;
        }
        EXPECT_EQ(doc.GetModified(), 0);
        EXPECT_EQ(events.log, std::vector<std::string>{"redraw"});
    }
}

TEST(ReverseStacking, SwapsEndsAndKeepsTheIndexTheInverse)
{
    FakeClock clock;
    const auto doc = loadedDoc(kSize12, jigsaw::DataFormat::Large, jigsaw::ColorFormat::Indexed, clock);
    // A stacking that is not the identity, so that a swap of the wrong tables shows.
    OnReverseStacking(*doc, noDocumentEvents());
    std::swap(doc->ZCol()[0], doc->ZCol()[4]);
    std::swap(doc->ZRow()[0], doc->ZRow()[4]);
    for (int pos = 0; pos < 12; ++pos)
        doc->ZIndex()[doc->ZCol()[pos]][doc->ZRow()[pos]] = pos;
    const CVorpelDoc before = *doc;

    OnReverseStacking(*doc, noDocumentEvents());
    for (int pos = 0; pos < 12; ++pos) {
        EXPECT_EQ((std::pair{doc->ZCol()[pos], doc->ZRow()[pos]}),
                  (std::pair{before.ZCol()[11 - pos], before.ZRow()[11 - pos]}));
        EXPECT_EQ(doc->ZIndex()[doc->ZCol()[pos]][doc->ZRow()[pos]], pos);
    }
    OnReverseStacking(*doc, noDocumentEvents());
    EXPECT_TRUE(*doc == before);
}

TEST(ReverseStacking, OddCountKeepsTheMiddle)
{
    CVorpelDoc doc;
    doc.SetCols(3);
    doc.SetRows(3);
    for (int pos = 0; pos < 9; ++pos) {
        doc.ZCol()[pos] = pos % 3;
        doc.ZRow()[pos] = pos / 3;
        doc.ZIndex()[pos % 3][pos / 3] = pos;
    }
    OnReverseStacking(doc, noDocumentEvents());
    EXPECT_EQ((std::tuple{doc.ZCol()[4], doc.ZRow()[4], doc.ZIndex()[1][1], doc.ZIndex()[0][0], doc.ZIndex()[2][2]}),
              (std::tuple{1, 1, 4, 8, 0}));
}

TEST(DocumentOptions, TogglesAndBlackModesNotifyOnlyOnChange)
{
    CVorpelDoc doc;
    RecordingEvents events;
    OnTogglePreview(doc, events);
    OnToggleElapsed(doc, events);
    OnToggleElapsed(doc, events);
    OnToggleSpareOption(doc, events);
    OnBlackNone(doc, events);
    OnBlackUncompleted(doc, events);
    OnBlackUncompleted(doc, events);
    EXPECT_EQ(events.log, (std::vector<std::string>{"preview on", "elapsed on", "elapsed off", "redraw", "redraw"}));
    EXPECT_TRUE(IsCommandChecked(doc, kCmdTogglePreview));
    EXPECT_FALSE(IsCommandChecked(doc, kCmdToggleElapsed));
    EXPECT_TRUE(IsCommandChecked(doc, kCmdToggleSpareOption));
    EXPECT_TRUE(IsCommandChecked(doc, kCmdBlackUncompleted));
    EXPECT_FALSE(IsCommandChecked(doc, kCmdBlackNone));
    EXPECT_FALSE(IsCommandEnabled(doc, kCmdSavePlayFile));
    EXPECT_EQ(doc.GetModified(), 0);
}

TEST(Document, ConstructionAndElapsedTime)
{
    CVorpelDoc doc;
    for (int slot = 0; slot < 12; ++slot)
        EXPECT_EQ((std::pair{doc.GetTrayPiece(slot), doc.GetTrayTurn(slot)}), (std::pair{slot, 1}));
    EXPECT_EQ(doc.GetTrayTurn(12), 0);
    EXPECT_EQ(doc.PieceSize(), 200);
    EXPECT_EQ(doc.GetHomeMark(12), (RECT{97, 565, 107, 575})) << "column 0 of the row below the 3 × 4 puzzle";
    EXPECT_EQ(doc.GetPreviewWndRect(), (RECT{0, 0, 262, 219}));
    EXPECT_EQ(doc.GetPlayable(), 0);

    // Whole seconds are counted at the tick's second boundaries, with no wrap
    // after 49 days of uptime.
    doc.SetStartTick(4'294'966'500);
    doc.SetElapsedBase(100);
    EXPECT_EQ(doc.ElapsedSeconds(4'294'966'999), 100);
    EXPECT_EQ(doc.ElapsedSeconds(4'294'967'000), 101);
    EXPECT_EQ(doc.ElapsedSeconds(4'294'966'500 + 3'600'000), 3700);
}

}  // namespace
