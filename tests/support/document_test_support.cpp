#include "document_test_support.h"

#include <map>
#include <tuple>

#include "best_times.h"
#include "message_text.h"
#include "puzzle_loader.h"
#include "sample_picture.h"
#include "sample_puzzle.h"

const jigsaw::JztPuzzle& samplePuzzle(int sizeIndex, jigsaw::DataFormat format, jigsaw::ColorFormat color)
{
    static std::map<std::tuple<int, jigsaw::DataFormat, jigsaw::ColorFormat>, jigsaw::JztPuzzle> cache;
    const auto key = std::make_tuple(sizeIndex, format, color);
    auto it = cache.find(key);
    if (it == cache.end()) {
        const jigsaw::PuzzleGeometry g = jigsaw::puzzleSize(sizeIndex).geometry;
        it = cache.emplace(key, jigsaw::buildSamplePuzzle(sizeIndex, format, color,
                                                          jigsaw::samplePicture(g.width(), g.height()),
                                                          {jigsaw::encodeMessageLine("こんにちは"), "", "line 3"}))
                 .first;
    }
    return it->second;
}

std::unique_ptr<CVorpelDoc> loadedDoc(int sizeIndex, jigsaw::DataFormat format, jigsaw::ColorFormat color,
                                      FakeClock& clock)
{
    auto doc = std::make_unique<CVorpelDoc>();
    MtRandom random;
    LoadPuzzle(*doc, samplePuzzle(sizeIndex, format, color), clock, random, noDocumentEvents());
    return doc;
}

int slotOfPiece(const CVorpelDoc& doc, int piece)
{
    for (int slot = 0; slot <= doc.PieceCount(); ++slot)
        if (doc.GetTrayTurn(slot) != 0 && doc.GetTrayPiece(slot) == piece)
            return slot;
    return -1;
}

void placeOnBoard(CVorpelDoc& doc, int piece, int turn, int x, int y)
{
    const int slot = slotOfPiece(doc, piece);
    if (slot >= 0) {
        doc.SetTrayPiece(slot, -1);
        doc.SetTrayTurn(slot, 0);
        doc.SetPiecesOut(doc.GetPiecesOut() + 1);
    }
    doc.SetOnBoard(piece, 1);
    doc.SetBoardTurn(piece, turn);
    const int s = doc.PieceSize();
    doc.PieceRect()[piece % doc.GetCols()][piece / doc.GetCols()] = RECT{x, y, x + s, y + s};
}

std::string fourFinishedRecords()
{
    constexpr std::int64_t t = 1'780'000'000;
    constexpr std::int64_t day = 86'400;
    return WriteRecords({{1, "sample.jzt", 80, 2537, 3, t, t + 9 * day},
                         {2, "夏休みの海.jzt", 300, 7548, 1, t + 2 * day, t + 2 * day},
                         {3, "富士山と桜.jzt", 1000, 41529, 2, t - 30 * day, t + 5 * day},
                         {4, "twelve.jzt", 12, 65, 7, t - 3 * day, t + 12 * day}});
}
