#include "document_test_support.h"

#include <map>
#include <tuple>

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
