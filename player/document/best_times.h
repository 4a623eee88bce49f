#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "vorpel_doc.h"

// The best times of finished puzzles, kept by the puzzle's identity so that a
// renamed puzzle file, a play file and the automatic copy of a game all count
// as the same puzzle.

// The puzzle's identity: 64-bit FNV-1a over the geometry (columns, rows,
// cell size, margin) and the board picture's width, height and colours, top
// row first, each as 32-bit little-endian words. The pixels' storage (depth,
// palette, row order) does not enter, nor the file name, the message or the
// pieces' places.
std::uint64_t PuzzleIdentity(const CVorpelDoc& doc);

// One finished puzzle. Dates are seconds since 1970 (UTC).
struct PuzzleRecord {
    std::uint64_t identity = 0;
    std::string name;  // UTF-8, the file it was last finished from
    int pieces = 0;
    std::uint32_t bestSeconds = 0;
    std::uint32_t timesFinished = 0;
    std::int64_t bestDate = 0;
    std::int64_t lastDate = 0;
    bool operator==(const PuzzleRecord&) const = default;
};

// Why a records file was refused; `line` counts from 1.
enum class RecordsError {
    NotARecordsFile,   // the first line is not the heading
    UnknownVersion,    // a heading of a later version
    Unterminated,      // the last line has no line end
    FieldCount,        // not seven tab-separated fields
    IdentityInvalid,   // not 16 lowercase hexadecimal digits
    PiecesInvalid,     // not 1 to 1000
    SecondsInvalid,    // not a whole number below 2^32
    CountInvalid,      // not 1 or more
    DateInvalid,       // not a whole number, or the last before the best
    NameInvalid,       // not UTF-8, or with a control character
    DuplicateIdentity, // a puzzle listed twice
};
struct RecordsFault {
    RecordsError error;
    int line = 0;
    bool operator==(const RecordsFault&) const = default;
};

// The records file's text: the heading "vorpel-records 1", then one line per
// puzzle, fields separated by tabs: identity (16 hex digits), pieces, best
// seconds, times finished, date of the best, date last finished, name. Every
// line ends with a line feed. An empty text is a file without records.
std::string WriteRecords(const std::vector<PuzzleRecord>& records);
std::variant<std::vector<PuzzleRecord>, RecordsFault> ParseRecords(std::string_view text);

// What the congratulations tell of a finished game.
struct CompletionRecord {
    std::optional<std::uint32_t> previousBest;  // none the first time
    std::uint32_t bestSeconds = 0;              // counting this game
    std::uint32_t timesFinished = 0;            // counting this game
    bool newBest() const { return previousBest && bestSeconds < *previousBest; }
};

// Adds a finish in `seconds` at `now` to the puzzle's record, or starts one;
// the name and piece count become this game's. Control characters in the
// name become spaces, and a name that is not UTF-8 is left empty.
CompletionRecord RecordCompletion(std::vector<PuzzleRecord>& records, std::uint64_t identity, std::string name,
                                  int pieces, std::uint32_t seconds, std::int64_t now);
