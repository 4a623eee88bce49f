#pragma once

#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jigsaw {

// Every error the Qt-free libraries report, with the number of arguments it
// carries. The programs word each code in the user's language; the libraries
// only say which code and with what values.
#define JIGSAW_ERROR_CODES(X)                                                                                       \
    /* files and the system: path, and the system's reason */                                                       \
    X(FileOpenFailed, 2)                                                                                            \
    X(FileStatFailed, 2)                                                                                            \
    X(NotARegularFile, 1)                                                                                           \
    X(FileReadFailed, 2)                                                                                            \
    X(FileShrankWhileReading, 1)                                                                                    \
    X(FileWriteFailed, 2)                                                                                           \
    X(DataEndsEarly, 3)             /* position, bytes needed, bytes left */                                        \
    /* pictures */                                                                                                  \
    X(UnsupportedBitCount, 1)       /* bits */                                                                      \
    X(PictureShapeInvalid, 3)       /* width, height, bits */                                                       \
    X(PictureTooLarge, 2)           /* width, height */                                                             \
    /* the puzzle message */                                                                                        \
    X(CharsetConversionUnavailable, 2) /* from, to */                                                               \
    X(MessageCharacterNotInCp932, 1)   /* the character */                                                          \
    X(MessageLineTooLong, 1)           /* line number */                                                            \
    X(MessageTooManyLines, 1)          /* lines given */                                                            \
    X(InMessageLine, 1)                /* line number; the cause follows */                                         \
    /* reading a puzzle file */                                                                                     \
    X(PuzzleFileTooShort, 1)           /* length */                                                                 \
    X(PuzzleFileSizeUnknown, 4)        /* cols, rows, cell size, margin */                                          \
    X(PuzzleFileColorFormatInvalid, 1) /* value */                                                                  \
    X(PuzzleFileDataFormatInvalid, 1)  /* value */                                                                  \
    X(PuzzleFileSizeIndexMismatch, 3)  /* size index, cols, rows */                                                 \
    X(PuzzleFileBlockFieldInvalid, 4)  /* block, field, value, expected value */                                    \
    X(PuzzleFileTruncated, 3)          /* block, bytes needed, bytes left */                                        \
    /* writing a puzzle file */                                                                                     \
    X(PuzzleBlockShapeMismatch, 4)     /* block, width, height, bits */                                             \
    X(PuzzleSizeUnknown, 0)                                                                                         \
    /* a puzzle handed to the player */                                                                             \
    X(PuzzleDataBlockMismatch, 1)      /* block */                                                                  \
    X(PuzzleDataSizeUnknown, 0)                                                                                     \
    X(PuzzleDataColorFormatInvalid, 0)                                                                              \
    X(PuzzleDataFormatInvalid, 0)                                                                                   \
    /* reading a play file */                                                                                       \
    X(PlayFileTooShort, 1)             /* length */                                                                 \
    X(PlayFileTruncated, 2)            /* bytes needed, length */                                                   \
    X(PlayFileNumberOutOfRange, 0)                                                                                  \
    X(PlayFilePictureHeaderInvalid, 4) /* block, width, height, bits */                                             \
    X(PlayFileSizeUnknown, 4)          /* cols, rows, cell size, margin */                                          \
    X(PlayFileColorFormatInvalid, 2)   /* picture format, sheet format */                                           \
    X(PlayFileElapsedInvalid, 0)                                                                                    \
    X(PlayFileDisplayInvalid, 0)                                                                                    \
    X(PlayFileTrayTurnInvalid, 0)                                                                                   \
    X(PlayFileTrayPieceUnknown, 1)     /* piece */                                                                  \
    X(PlayFileBoardPiecesInvalid, 0)                                                                                \
    X(PlayFileBoardTurnInvalid, 0)                                                                                  \
    X(PlayFileTrayPieceTurnedOnBoard, 1) /* piece */                                                                \
    X(PlayFilePiecePlaceInvalid, 1)    /* piece */                                                                  \
    X(PlayFileStackingInvalid, 0)                                                                                   \
    X(PlayFilePieceOutsideGroup, 1)    /* piece */                                                                  \
    X(PlayFileGroupsInconsistent, 0)                                                                                \
    X(PlayFileBoardTooLarge, 3)        /* width, height, largest coordinate */                                      \
    /* saving a game */                                                                                             \
    X(NoGameToSave, 0)                                                                                              \
    X(PieceWithoutPlace, 0)                                                                                         \
    X(PiecePlaceUnstorable, 4)         /* piece, left, top, largest coordinate */                                   \
    /* the finished picture */                                                                                      \
    X(NoPuzzlePictureToFinish, 0)                                                                                   \
    X(NoFinishedPicture, 0)                                                                                         \
    X(FinishedPictureTooLargeForBmp, 0)                                                                             \
    X(JpegCompressionFailed, 1)        /* the compressor's reason */                                                \
    X(FinishedPictureNotSaved, 0)      /* the cause follows */                                                      \
    /* making a puzzle */                                                                                           \
    X(SizeIndexUnknown, 1)             /* size index */                                                             \
    X(NoPictureToCut, 0)                                                                                            \
    X(FrameEmpty, 0)                                                                                                \
    X(PaletteMissing, 0)

enum class ErrorCode {
#define JIGSAW_ERROR_ENUM(name, args) name,
    JIGSAW_ERROR_CODES(JIGSAW_ERROR_ENUM)
#undef JIGSAW_ERROR_ENUM
};

inline constexpr ErrorCode kAllErrorCodes[] = {
#define JIGSAW_ERROR_LIST(name, args) ErrorCode::name,
    JIGSAW_ERROR_CODES(JIGSAW_ERROR_LIST)
#undef JIGSAW_ERROR_LIST
};

// The code's name as written above, and how many arguments it carries.
std::string_view errorCodeName(ErrorCode code);
std::size_t errorArgumentCount(ErrorCode code);

// The parts of a puzzle as error arguments; the programs give them names.
// A turned sheet is "sheet" followed by its turn, 1 to 4.
namespace block {
inline constexpr const char* kPicture = "picture";
inline constexpr const char* kSheet = "sheet";
inline constexpr const char* kMask = "mask";
inline constexpr const char* kTemplateMap = "templateMap";
}  // namespace block

// One argument, written as text: numbers in decimal.
struct ErrorArgument {
    std::string text;
    ErrorArgument(std::string s) : text(std::move(s)) {}
    ErrorArgument(const char* s) : text(s) {}
    template <std::integral T>
    ErrorArgument(T v) : text(std::to_string(v))
    {
    }
};

// The one error type of the Qt-free libraries: a code, its arguments and,
// for errors that add to another ("the finished picture was not saved"),
// the error underneath. what() is a diagnostic for logs and tests, such as
// "PlayFileTruncated(6400, 100)", not a sentence for the user.
class FormatError : public std::runtime_error {
public:
    FormatError(ErrorCode code, std::initializer_list<ErrorArgument> args = {});
    FormatError(ErrorCode code, std::initializer_list<ErrorArgument> args, const FormatError& cause);

    ErrorCode code() const { return code_; }
    const std::vector<std::string>& arguments() const { return args_; }
    const FormatError* cause() const { return cause_.get(); }

private:
    FormatError(ErrorCode code, std::vector<std::string> args, std::shared_ptr<const FormatError> cause);

    ErrorCode code_;
    std::vector<std::string> args_;
    std::shared_ptr<const FormatError> cause_;
};

}  // namespace jigsaw
