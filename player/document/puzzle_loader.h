#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "document_events.h"
#include "game_clock.h"
#include "jzt_file.h"
#include "random_source.h"
#include "vorpel_doc.h"

// Opening a puzzle data file starts a new game: the file is read and checked
// whole, a small-format puzzle is cut into 24-bit sheets, and only then is the
// document's game replaced and the tray dealt in random order and turns. A
// file that cannot be used throws jigsaw::FormatError and leaves the document
// exactly as it was.
//
// Events, in order: ShowMessage when the file asks for it (after the file was
// read, before any cutting), CutProgress per piece for small files, then
// RedrawAll. An open preview window is toggled off and on so that it shows
// the new picture.

// Sets the puzzle folder to `path` and remembers the file on success.
void LoadPuzzleFile(CVorpelDoc& doc, const std::filesystem::path& path, GameClock& clock, RandomSource& random,
                    DocumentEvents& events);
void LoadPuzzleData(CVorpelDoc& doc, std::span<const std::uint8_t> data, GameClock& clock, RandomSource& random,
                    DocumentEvents& events);
// A puzzle already in memory; its pictures must fit its header.
void LoadPuzzle(CVorpelDoc& doc, const jigsaw::JztPuzzle& puzzle, GameClock& clock, RandomSource& random,
                DocumentEvents& events);

// The deal of a new game on the document's geometry: every piece in the tray
// in random order and turn, each its own group, the stacking in id order, the
// clock started. Seeds `random` from the clock's time in seconds, so that two
// deals within one second are the same.
void DealNewGame(CVorpelDoc& doc, GameClock& clock, RandomSource& random);
