#include "play_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "atomic_file.h"
#include "document_commands.h"
#include "document_test_support.h"
#include "format_error.h"
#include "play_rules.h"

namespace {

using jigsaw::ColorFormat;
using jigsaw::DataFormat;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kTray = 28;
constexpr std::size_t kGroups = 6400 + 12792 + 17056;
constexpr std::size_t kZCol = kGroups + 1001 * 1066;
constexpr std::size_t kRects = 6400 + 12792;

// Stores piece id's S × S rectangle at (x, y) as releases before this one
// did, negative places included: each number as its C remainder and
// quotient by 255, cut to a byte.
void putRect(Bytes& b, int id, int x, int y, int s)
{
    const int values[] = {x, y, x + s, y + s};
    for (std::size_t side = 0; side < 4; ++side) {
        b[kRects + 16 * static_cast<std::size_t>(id) + 4 * side] = static_cast<std::uint8_t>(values[side] % 255);
        b[kRects + 16 * static_cast<std::size_t>(id) + 4 * side + 1] = static_cast<std::uint8_t>(values[side] / 255);
    }
}

// The first tray slot from `from` on that holds a piece, in a play file.
std::size_t occupiedSlot(const Bytes& b, std::size_t from)
{
    while (b[kTray + 5 * from + 2] == 0)
        ++from;
    return from;
}

Bytes fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A 12-piece game in the middle of play: pieces 0 and 1 joined on the board,
// piece 5 alone on the board, the tray arranged, the stacking reversed, tool
// windows and options set.
std::unique_ptr<CVorpelDoc> gameInProgress(FakeClock& clock)
{
    auto doc = loadedDoc(kSize12, DataFormat::Small, ColorFormat::TrueColor, clock);
    for (int slot = 0; slot < 12; ++slot) {
        const int piece = doc->GetTrayPiece(slot);
        if (piece != 0 && piece != 1 && piece != 5)
            continue;
        doc->SetOnBoard(piece, 1);
        doc->SetBoardTurn(piece, piece == 5 ? 3 : 1);
        doc->SetTrayPiece(slot, -1);
        doc->SetTrayTurn(slot, 0);
    }
    doc->SetPiecesOut(3);
    doc->Group(0)[1][0] = 1;
    doc->Group(1)[0][0] = 1;
    doc->PieceRect()[0][0] = RECT{10, 20, 210, 220};
    doc->PieceRect()[1][0] = RECT{130, 20, 330, 220};
    doc->PieceRect()[2][1] = RECT{400, 300, 600, 500};
    OnReverseStacking(*doc, noDocumentEvents());
    doc->SetBlackMode(2);
    doc->SetShowMessage(1);
    doc->SetElapsedShown(1);
    doc->SetSpareOption(1);
    doc->SetElapsedBase(40);
    doc->SetModified(1);
    return doc;
}

class PlayFile : public testing::Test {
protected:
    FakeClock clock;
    const std::unique_ptr<CVorpelDoc> game = gameInProgress(clock);
};

// The fixed blocks keep their full size whatever the puzzle; numbers are
// pairs in base 255, the empty slot −1 as 0xFF, 0; group records run in
// row-major cell order.
TEST_F(PlayFile, FixedBlocksAndPairsKeepTheirLayout)
{
    EXPECT_EQ(kPlayFixedSize, 6400u + 12792 + 17056 + 1067066 + 1001 + 1001 + 16 + 16);
    const auto doc = loadedDoc(kSize12, DataFormat::Large, ColorFormat::Indexed, clock);
    doc->SetTrayPiece(0, 300);
    doc->SetTrayPiece(1, 1000);
    doc->SetTrayPiece(2, -1);
    doc->SetPiecesOut(254);
    Bytes data = WritePlayData(*doc, clock.tick);
    // 440 × 560 picture, 600 × 800 sheets, all 8-bit; the mask as long as a sheet.
    EXPECT_EQ(data.size(), kPlayFixedSize + (440 * 560 + 1078) + 4 * (600 * 800 + 1078) + (600 * 800 + 62));
    const std::pair<std::size_t, int> stored[] = {
        {kTray, 1},  {kTray + 1, 45}, {kTray + 5, 3}, {kTray + 6, 235}, {kTray + 10, 0}, {kTray + 11, 0xFF},
        {16, 254},   {17, 0},         {kZCol + 11, doc->ZCol()[11]},   {kGroups + 1066 * 4 + 4, 1}};
    for (const auto& [at, value] : stored)
        EXPECT_EQ(data[at], value) << "byte " << at;
    doc->SetPiecesOut(255);
    data = WritePlayData(*doc, clock.tick);
    EXPECT_EQ((std::pair{data[16], data[17]}), (std::pair<std::uint8_t, std::uint8_t>{0, 1}));
}

TEST_F(PlayFile, RoundTripInTheMiddleOfAGame)
{
    clock.tick += 65'000;
    const Bytes data = WritePlayData(*game, clock.tick);

    // The same puzzle dealt at the same second, then the play file opened.
    FakeClock later = clock;
    later.tick += 1'000'000;
    const auto reopened = loadedDoc(kSize12, DataFormat::Small, ColorFormat::TrueColor, later);
    reopened->SetModified(1);
    reopened->SetHolding(1);  // nothing stays in the hand of the game before
    RecordingEvents events;
    OpenPlayData(*reopened, data, later, events);

    CVorpelDoc expected = *game;
    for (int slot = 0; slot < kMaxPieces; ++slot)
        if (expected.GetTrayPiece(slot) == -1)
            expected.SetTrayPiece(slot, 255);
    expected.SetElapsedBase(40 + 65);
    expected.SetStartTick(later.tick);
    expected.SetModified(0);
    EXPECT_TRUE(*reopened == expected);
    EXPECT_EQ(events.log, (std::vector<std::string>{"message", "elapsed on", "redraw", "redraw"}));
    EXPECT_EQ(events.message, game->GetMessageText());
}

// A game that a file cannot hold whole is not written: a piece carried out of
// the tray lies nowhere, and a position outside 0 … 65,279 would come back
// elsewhere.
TEST_F(PlayFile, AGameWithAPieceInNoPlaceIsNotWritten)
{
    const CVorpelDoc whole = *game;
    const std::function<void(CVorpelDoc&)> broken[] = {
        [](CVorpelDoc& d) {
            d.SetTrayDrag(1);
            d.SetTrayTurn(0, 0);
        },
        [](CVorpelDoc& d) { d.PieceRect()[0][0] = RECT{-10, 20, 190, 220}; },
        [](CVorpelDoc& d) { d.PieceRect()[2][1] = RECT{65200, 300, 65400, 500}; },
    };
    for (const auto& breakIt : broken) {
        *game = whole;
        breakIt(*game);
        EXPECT_THROW(WritePlayData(*game, clock.tick), jigsaw::FormatError);
    }
    *game = whole;
    game->PieceRect()[2][1] = RECT{65079, 300, 65279, 500};
    EXPECT_NO_THROW(WritePlayData(*game, clock.tick)) << "the largest pair still fits";
}

// The file's picture lengths leave out row padding: for a size whose 24-bit
// rows need it, the top rows of each picture are not all in the file. They
// must come back as picture, not as a black line.
TEST_F(PlayFile, PicturesOfPaddedSizesComeBackWithoutBlackRows)
{
    constexpr int kPaddedSize = 2;
    const auto doc = loadedDoc(kPaddedSize, DataFormat::Large, ColorFormat::TrueColor, clock);
    const Bytes data = WritePlayData(*doc, clock.tick);
    auto reopened = loadedDoc(kPaddedSize, DataFormat::Large, ColorFormat::TrueColor, clock);
    OpenPlayData(*reopened, data, clock, noDocumentEvents());

    const auto& before = doc->Picture();
    const auto& after = reopened->Picture();
    ASSERT_NE(before.stride(), std::size_t(before.info().biWidth) * 3) << "size must need row padding";
    for (int x = 0; x < before.info().biWidth * 3; ++x)
        EXPECT_LE(std::abs(before.rowFromTop(0)[x] - after.rowFromTop(0)[x]), 48) << "byte " << x << " of the top row";
}

TEST_F(PlayFile, TwoSavesDifferOnlyInTheSeconds)
{
    const Bytes first = WritePlayData(*game, clock.tick);
    const Bytes second = WritePlayData(*game, clock.tick + 70'000'000'000);
    ASSERT_EQ(first.size(), second.size());
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 5033, second.begin()));
    EXPECT_TRUE(std::equal(first.begin() + 5037, first.end(), second.begin() + 5037));
    const std::uint32_t seconds = (second[5033] << 24) | (second[5034] << 16) | (second[5035] << 8) | second[5036];
    EXPECT_EQ(seconds, 40u + 70'000'000u);
}

// Each damage to a good file must be refused with the open game left as it was.
TEST_F(PlayFile, DamagedFilesAreRefusedAndTheGameSurvives)
{
    const Bytes good = WritePlayData(*game, clock.tick);
    const auto doc = loadedDoc(kSize12, DataFormat::Large, ColorFormat::Indexed, clock);
    const CVorpelDoc before = *doc;

    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> damages{
        {"truncated", [](Bytes& b) { b.pop_back(); }},
        {"header only", [](Bytes& b) { b.resize(6400); }},
        {"not a puzzle size", [](Bytes& b) { b[0] = 5; }},
        {"colour format", [](Bytes& b) { b[24] = 3; }},
        {"piece twice in the tray",
         [](Bytes& b) {
             const std::size_t first = occupiedSlot(b, 0);
             const std::size_t second = occupiedSlot(b, first + 1);
             b[kTray + 5 * second + 1] = b[kTray + 5 * first + 1];
         }},
        {"piece outside the puzzle", [](Bytes& b) { b[kTray + 5 * occupiedSlot(b, 0) + 1] = 12; }},
        {"turn 5", [](Bytes& b) { b[kTray + 5 * occupiedSlot(b, 0) + 2] = 5; }},
        // Piece 2 lies in the tray: a board turn would draw it on the board too.
        {"tray piece with a board turn", [](Bytes& b) { b[kTray + 5 * 2 + 3] = 1; }},
        {"stacking not a permutation", [](Bytes& b) { b[kZCol + 1] = b[kZCol]; }},
        {"group not symmetric", [](Bytes& b) { b[kGroups + 1] = 0; }},
        {"piece not in its group", [](Bytes& b) { b[kGroups + 1066 * 7 + 7] = 0; }},
        {"black mode", [](Bytes& b) { b[5374] = 3; }},
        // A group saved past the left edge and a piece near the far one:
        // no place on the board holds both.
        {"board too wide",
         [](Bytes& b) {
             putRect(b, 0, -400, 20, 200);
             putRect(b, 1, -280, 20, 200);
             putRect(b, 5, 64770, 300, 200);
         }},
        {"picture header", [](Bytes& b) { b[kPlayFixedSize + 14 + 4] ^= 1; }},
        {"foreign bytes", [](Bytes& b) { std::fill(b.begin(), b.end(), 0x41); }},
    };
    for (const auto& [name, damage] : damages) {
        Bytes data = good;
        damage(data);
        try {
            OpenPlayData(*doc, data, clock, noDocumentEvents());
            ADD_FAILURE() << name << ": accepted";
        } catch (const jigsaw::FormatError& e) {
            const std::string what = e.what();
            EXPECT_TRUE(std::ranges::all_of(what, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
                << name << ": a diagnostic, not a sentence: " << what;
        }
        EXPECT_TRUE(*doc == before) << name;
    }
}

// What a file can tell from the rest of itself is mended: the count of
// pieces taken out, and a piece in the tray listed in a group on the board.
TEST_F(PlayFile, DisagreementsWithinAFileAreMended)
{
    Bytes data = WritePlayData(*game, clock.tick);
    data[16] = 7;
    for (std::size_t p = 0; p < 3; ++p)
        std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(kGroups + 1066 * p), 3, 1);
    const auto doc = loadedDoc(kSize12, DataFormat::Large, ColorFormat::Indexed, clock);
    OpenPlayData(*doc, data, clock, noDocumentEvents());
    EXPECT_EQ(doc->GetPiecesOut(), 3);
    EXPECT_EQ(doc->Group(2)[0][0] + doc->Group(2)[1][0] + doc->Group(2)[2][0], 1);
    EXPECT_EQ(doc->Group(0)[1][0] + doc->Group(0)[2][0], 1);
}

// A game saved by an earlier release while its big group was carried past
// the board's top-left corner: the group comes back whole within the board,
// every piece can be clicked, and the last piece completes the puzzle.
TEST_F(PlayFile, AGroupSavedPastTheCornerComesBackWhole)
{
    const auto doc = loadedDoc(kSize12, DataFormat::Large, ColorFormat::TrueColor, clock);
    const int s = doc->PieceSize();
    const int pitch = doc->Pitch();
    GroupMatrix group{};
    for (int slot = 0; slot < 12; ++slot) {
        const int id = doc->GetTrayPiece(slot);
        doc->SetTrayTurn(slot, 0);
        doc->SetOnBoard(id, 1);
        doc->SetBoardTurn(id, 1);
        group[id % 3][id / 3] = id != 11;
    }
    for (int id = 0; id < 11; ++id)
        doc->Group(id) = group;
    Bytes data = WritePlayData(*doc, clock.tick);
    for (int id = 0; id < 11; ++id)
        putRect(data, id, id % 3 * pitch - 250, id / 3 * pitch - 130, s);
    putRect(data, 11, 700, 700, s);
    OpenPlayData(*doc, data, clock, noDocumentEvents());
    for (int id = 0; id < 12; ++id) {
        const RECT r = doc->PieceRect()[id % 3][id / 3];
        EXPECT_EQ(FindPieceAt(*doc, r.left + s / 2, r.top + s / 2), id);
    }
    ASSERT_EQ(PickUpGroup(*doc, 950 + s / 2, 830 + s / 2), 11);
    MoveHeldGroup(*doc, 2 * pitch + s / 2, 3 * pitch + s / 2);
    EXPECT_TRUE(PutDownHeldGroup(*doc).completed);
}

// Saved through files, the game opens again; a folder that is missing or an
// overwrite that fails leaves the old file byte for byte and the game unsaved.
TEST_F(PlayFile, SaveAndOpenThroughFiles)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("play_file_test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);

    EXPECT_THROW(SavePlayFile(*game, dir / "missing" / "game.jpd", clock), jigsaw::FormatError);
    EXPECT_EQ(game->GetModified(), 1);

    SavePlayFile(*game, dir / "game.jpd", clock);
    EXPECT_EQ(game->GetModified(), 0);
    EXPECT_EQ(game->GetPlaySavePath(), (dir / "game.jpd").string());
    const Bytes saved = fileBytes(dir / "game.jpd");
    EXPECT_EQ(saved, WritePlayData(*game, clock.tick));
    CVorpelDoc reopened;
    OpenPlayFile(reopened, dir / "game.jpd", clock, noDocumentEvents());
    EXPECT_EQ(reopened.GetPlayOpenPath(), (dir / "game.jpd").string());
    EXPECT_EQ(reopened.GetPiecesOut(), 3);
    EXPECT_EQ(reopened.Group(1)[0][0], 1);

    game->PieceRect()[2][1] = RECT{700, 300, 900, 500};
    game->SetModified(1);
    clock.tick += 60'000;
    jigsaw::atomicFileCalls().fsync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_THROW(SavePlayFile(*game, dir / "game.jpd", clock), jigsaw::FormatError);
    jigsaw::atomicFileCalls().fsync = ::fsync;
    EXPECT_EQ(fileBytes(dir / "game.jpd"), saved);
    EXPECT_EQ(game->GetModified(), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
