#include "puzzle_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>

#include "document_test_support.h"
#include "format_error.h"
#include "jzt_file.h"

namespace {

using jigsaw::ColorFormat;
using jigsaw::DataFormat;

struct LoadCase {
    int sizeIndex;
    DataFormat format;
    ColorFormat color;
    int sheetFormat;
};

class LoadedGame : public testing::TestWithParam<LoadCase> {};

// The state every freshly loaded game must be in, whatever the file's format.
TEST_P(LoadedGame, DealsEveryPieceIntoTheTray)
{
    const LoadCase c = GetParam();
    FakeClock clock;
    RecordingEvents events;
    CVorpelDoc doc;
    doc.SetModified(1);
    MtRandom random;
    LoadPuzzle(doc, samplePuzzle(c.sizeIndex, c.format, c.color), clock, random, events);

    const int n = doc.PieceCount();
    std::vector<int> pieces;
    for (int slot = 0; slot < n; ++slot) {
        pieces.push_back(doc.GetTrayPiece(slot));
        EXPECT_TRUE(doc.GetTrayTurn(slot) >= 1 && doc.GetTrayTurn(slot) <= 4) << slot;
        EXPECT_EQ((std::pair{doc.GetOnBoard(slot), doc.GetBoardTurn(slot)}), (std::pair{0, 0})) << slot;
    }
    std::vector<int> ids(static_cast<std::size_t>(n));
    std::iota(ids.begin(), ids.end(), 0);
    EXPECT_TRUE(std::is_permutation(pieces.begin(), pieces.end(), ids.begin()));
    EXPECT_NE(pieces, ids) << "the tray is shuffled";
    EXPECT_EQ(doc.GetTrayTurn(n), 0);

    for (int p = 0; p < n; ++p) {
        const int col = p % doc.GetCols();
        const int row = p / doc.GetCols();
        int members = 0;
        for (const auto& column : doc.Group(p))
            members += std::count(column.begin(), column.end(), 1);
        EXPECT_EQ(members, 1) << "piece " << p;
        EXPECT_EQ(doc.Group(p)[col][row], 1);
        EXPECT_EQ((std::tuple{doc.ZCol()[p], doc.ZRow()[p], doc.ZIndex()[col][row]}), (std::tuple{col, row, p}));
        EXPECT_EQ(doc.CellB()[col][row], 1);
    }

    EXPECT_EQ(doc.GetSheetFormat(), c.sheetFormat);
    EXPECT_EQ(doc.GetPictureFormat(), static_cast<int>(c.color));
    EXPECT_EQ(doc.Sheet(3).bitCount(), c.sheetFormat == 1 ? 8 : 24);
    EXPECT_EQ(doc.Mask().width(), 4 * doc.PieceSize() * doc.GetCols());
    EXPECT_EQ((std::tuple{doc.GetPieceSize(), doc.GetPlayable(), doc.GetModified()}),
              (std::tuple{doc.PieceSize(), 1, 0}));
    EXPECT_EQ(doc.GetStartTick(), clock.tick);
    EXPECT_EQ(doc.GetMessageText(), samplePuzzle(c.sizeIndex, c.format, c.color).header.messageLines[0] + "\r\n\r\nline 3");
    EXPECT_EQ(events.log.back(), "redraw");
}

INSTANTIATE_TEST_SUITE_P(Formats, LoadedGame,
                         testing::Values(LoadCase{kSize12, DataFormat::Large, ColorFormat::TrueColor, 2},
                                         LoadCase{kSize12, DataFormat::Large, ColorFormat::Indexed, 1},
                                         LoadCase{kSize12, DataFormat::Small, ColorFormat::Indexed, 2},
                                         LoadCase{2, DataFormat::Small, ColorFormat::TrueColor, 2}),
                         [](const testing::TestParamInfo<LoadCase>& info) {
                             const LoadCase& c = info.param;
                             return "Size" + std::to_string(c.sizeIndex) +
                                    (c.format == DataFormat::Large ? "Large" : "Small") +
                                    (c.color == ColorFormat::Indexed ? "Indexed" : "TrueColor");
                         });

TEST(PuzzleLoader, DealDependsOnlyOnTheSecondOfLoading)
{
    FakeClock clock;
    const auto first = loadedDoc(kSize12, DataFormat::Large, ColorFormat::TrueColor, clock);
    const auto again = loadedDoc(kSize12, DataFormat::Large, ColorFormat::TrueColor, clock);
    EXPECT_TRUE(*first == *again);
    clock.seconds += 1;
    const auto later = loadedDoc(kSize12, DataFormat::Large, ColorFormat::TrueColor, clock);
    EXPECT_FALSE(*first == *later);
}

TEST(PuzzleLoader, ThousandPiecesFillTheTablesUpToTheLastEntry)
{
    FakeClock clock;
    CVorpelDoc doc;
    doc.Group(1000)[0][25] = 1;
    doc.Group(1000)[40][0] = 1;
    MtRandom random;
    LoadPuzzle(doc, samplePuzzle(kSize1000, DataFormat::Small, ColorFormat::TrueColor), clock, random,
               noDocumentEvents());
    ASSERT_EQ(doc.PieceCount(), 1000);
    for (int slot = 0; slot < 1000; ++slot)
        ASSERT_NE(doc.GetTrayTurn(slot), 0);
    EXPECT_EQ(doc.GetTrayTurn(1000), 0);
    // Entry 1,000 is the mark one past the last piece: column 0 of row 25,
    // a 10 × 10 square about (27, 765).
    EXPECT_EQ(doc.GetHomeMark(1000), (RECT{22, 760, 32, 770}));
    EXPECT_EQ((std::tuple{doc.Group(1000)[0][25], doc.Group(1000)[40][0], doc.Group(999)[39][24]}),
              (std::tuple{0, 0, 1}));
}

TEST(PuzzleLoader, SmallFileShowsTheMessageBeforeCuttingEachPiece)
{
    jigsaw::JztPuzzle puzzle = samplePuzzle(kSize12, DataFormat::Small, ColorFormat::Indexed);
    puzzle.header.showMessage = 1;
    FakeClock clock;
    RecordingEvents events;
    CVorpelDoc doc;
    doc.SetPreviewShown(1);
    MtRandom random;
    LoadPuzzle(doc, puzzle, clock, random, events);
    std::vector<std::string> expected{"message"};
    expected.insert(expected.end(), 12, "progress");
    expected.insert(expected.end(), {"preview off", "preview on", "redraw"});
    EXPECT_EQ(events.log, expected);
    EXPECT_EQ(events.message, doc.GetMessageText());
    EXPECT_EQ((std::pair<int, int>{doc.GetShowMessage(), doc.GetMaskPad()}), (std::pair{1, 0}));
}

// Whatever is wrong with the file, the game that was open stays as it was.
TEST(PuzzleLoader, BadFilesLeaveTheOpenGameUntouched)
{
    FakeClock clock;
    const auto doc = loadedDoc(kSize12, DataFormat::Large, ColorFormat::Indexed, clock);
    doc->SetModified(1);
    doc->SetPiecesOut(3);
    const CVorpelDoc before = *doc;

    const std::vector<std::uint8_t> good = jigsaw::writeJzt(samplePuzzle(kSize12, DataFormat::Small, ColorFormat::TrueColor));
    std::vector<std::uint8_t> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    std::vector<std::uint8_t> impossible = good;
    impossible[0] = 41;
    std::vector<std::uint8_t> foreign(7000, 'x');
    MtRandom random;
    for (const auto& bytes : {truncated, impossible, foreign, std::vector<std::uint8_t>(10)}) {
        EXPECT_THROW(LoadPuzzleData(*doc, bytes, clock, random, noDocumentEvents()), jigsaw::FormatError);
        EXPECT_TRUE(*doc == before);
    }
    EXPECT_THROW(LoadPuzzleFile(*doc, std::filesystem::path("no such folder") / "x.jzt", clock, random,
                                noDocumentEvents()),
                 jigsaw::FormatError);
    jigsaw::JztPuzzle mismatched = samplePuzzle(kSize12, DataFormat::Large, ColorFormat::Indexed);
    mismatched.sheets[2] = mismatched.picture;
    EXPECT_THROW(LoadPuzzle(*doc, mismatched, clock, random, noDocumentEvents()), jigsaw::FormatError);
    EXPECT_TRUE(*doc == before);
}

}  // namespace
