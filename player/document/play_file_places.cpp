// The board places of a play file: taken as stored, or recovered from the
// digits that earlier releases wrote for groups carried past the edges.
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "format_error.h"
#include "play_file_layout.h"

namespace playfile {

namespace {

// What two stored digits may stand for, the likelier first: the number as
// written, and the negative number whose C remainder and quotient, each cut
// to a byte, left these digits. Releases before this one wrote such digits
// for a group carried past the board's left or top edge.
struct Readings {
    std::array<int, 2> values{};
    int count = 0;
};

using Digits = std::array<std::uint8_t, 2>;

int writtenValue(Digits digits) { return digits[1] * 255 + digits[0]; }

Readings readingsOf(Digits digits)
{
    const int low = digits[0];
    const int high = digits[1];
    const int written = writtenValue(digits);
    const int remainder = low == 0 ? 0 : low - 256;
    const int negative = (high == 0 ? 0 : high - 256) * 255 + remainder;
    Readings r;
    if (written <= kMaxBoardCoordinate)
        r.values[r.count++] = written;
    if (negative < 0 && remainder > -255)
        r.values[r.count++] = negative;
    // A carried group lies near the board; a table reaching half the range
    // away is far less likely.
    if (r.count == 2 && written > kMaxBoardCoordinate / 2)
        std::swap(r.values[0], r.values[1]);
    return r;
}

// The places of a piece's near edge (left or top) that agree with its far
// edge one piece size further on, the likelier first; when none does, every
// place either edge may stand for.
std::vector<int> edgePlaces(Digits nearDigits, Digits farDigits, int s)
{
    const Readings nearEdge = readingsOf(nearDigits);
    const Readings farEdge = readingsOf(farDigits);
    std::vector<int> agreeing;
    std::vector<int> any;
    for (int i = 0; i < nearEdge.count; ++i) {
        any.push_back(nearEdge.values[i]);
        for (int j = 0; j < farEdge.count; ++j)
            if (farEdge.values[j] - nearEdge.values[i] == s)
                agreeing.push_back(nearEdge.values[i]);
    }
    for (int j = 0; j < farEdge.count; ++j)
        any.push_back(farEdge.values[j] - s);
    return agreeing.empty() ? any : agreeing;
}

// Whether every board rectangle is stored as written, S × S.
bool boardStoredWhole(const PlayData& d)
{
    for (int r = 0; r < d.rows; ++r) {
        for (int c = 0; c < d.cols; ++c) {
            const auto& digits = d.rectDigits[c][r];
            const auto size = [&](std::size_t near) {
                return writtenValue(digits[near + 2]) - writtenValue(digits[near]);
            };
            if (d.onBoard[cellIndex(c, r, d.cols)] == 1 &&
                (writtenValue(digits[2]) > kMaxBoardCoordinate || writtenValue(digits[3]) > kMaxBoardCoordinate ||
                 size(0) != d.pieceSize() || size(1) != d.pieceSize()))
                return false;
        }
    }
    return true;
}

// Lays out the group of board piece p about it, each axis at the place of p
// that most of the members' stored edges agree with (the likelier reading
// first on a tie), and marks the members placed.
void placeGroup(PlayData& d, int p, std::vector<bool>& placed)
{
    const int s = d.pieceSize();
    const int n = d.pieceCount();
    // Calls visit(q, c, r, offset) for each member q of the group, at cell
    // (c, r), lying `offset` from p.
    const auto forEachMember = [&](auto&& visit) {
        for (int q = 0; q < n; ++q) {
            if (!d.inGroup(p, static_cast<std::size_t>(q)))
                continue;
            const int c = q % d.cols;
            const int r = q / d.cols;
            visit(q, c, r, MemberOffset(d.cols, d.pitch(), p, c, r, d.boardTurn[q]));
        }
    };
    std::array<std::map<int, std::pair<int, int>>, 2> votes;  // place of p → (votes, first seen)
    int seen = 0;
    forEachMember([&](int, int c, int r, POINT offset) {
        const auto& digits = d.rectDigits[c][r];
        for (int axis = 0; axis < 2; ++axis) {
            const int shift = axis == 0 ? offset.x : offset.y;
            for (const int place : edgePlaces(digits[axis], digits[axis + 2], s)) {
                auto [it, added] = votes[axis].try_emplace(place - shift, 0, seen++);
                ++it->second.first;
            }
        }
    });
    std::array<int, 2> chosen{};
    for (int axis = 0; axis < 2; ++axis) {
        std::pair<int, int> best{0, 0};
        for (const auto& [place, tally] : votes[axis]) {
            if (tally.first > best.first || (tally.first == best.first && tally.second < best.second)) {
                best = tally;
                chosen[static_cast<std::size_t>(axis)] = place;
            }
        }
    }
    forEachMember([&](int q, int c, int r, POINT offset) {
        const int x = chosen[0] + offset.x;
        const int y = chosen[1] + offset.y;
        d.pieceRect[c][r] = RECT{x, y, x + s, y + s};
        placed[static_cast<std::size_t>(q)] = true;
    });
}

}  // namespace

// Sets the board rectangles: as stored when every one is stored whole;
// otherwise every group is laid out again from what its members' edges
// agree on, and the table is brought within the storable range. Pieces in
// the tray lie nowhere on the board.
void placeBoardPieces(PlayData& d)
{
    const int n = d.pieceCount();
    const bool whole = boardStoredWhole(d);
    std::vector<bool> placed(static_cast<std::size_t>(n), false);
    for (int q = 0; q < n; ++q) {
        const int c = q % d.cols;
        const int r = q / d.cols;
        const auto& digits = d.rectDigits[c][r];
        if (d.onBoard[q] == 0) {
            d.pieceRect[c][r] = RECT{};
        } else if (whole) {
            d.pieceRect[c][r] = RECT{writtenValue(digits[0]), writtenValue(digits[1]), writtenValue(digits[2]),
                                     writtenValue(digits[3])};
        } else if (!placed[static_cast<std::size_t>(q)]) {
            placeGroup(d, q, placed);
        }
    }
    RECT bounds{};
    for (int q = 0; q < n; ++q)
        if (d.onBoard[q] == 1)
            bounds = UnionRect(bounds, d.pieceRect[q % d.cols][q / d.cols]);
    const long long width = static_cast<long long>(bounds.right) - bounds.left;
    const long long height = static_cast<long long>(bounds.bottom) - bounds.top;
    if (width > kMaxBoardCoordinate || height > kMaxBoardCoordinate)
        throw jigsaw::FormatError(jigsaw::ErrorCode::PlayFileBoardTooLarge, {width, height, kMaxBoardCoordinate});
    const POINT shift = StorableShift(bounds);
    for (int q = 0; q < n; ++q) {
        RECT& rect = d.pieceRect[q % d.cols][q / d.cols];
        if (d.onBoard[q] == 1)
            rect = RECT{rect.left + shift.x, rect.top + shift.y, rect.right + shift.x, rect.bottom + shift.y};
    }
}

}  // namespace playfile
