#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A shogi position as a record's diagram gives it: the board, both players' pieces in hand and
// the side to move.
namespace shogi {

enum class Piece : std::uint8_t {
    kNone,
    // The kinds a player may hold in hand, in the order hands are written.
    kRook,
    kBishop,
    kGold,
    kSilver,
    kKnight,
    kLance,
    kPawn,
    kKing,
    // Promoted pieces.
    kDragon,
    kHorse,
    kPromotedSilver,
    kPromotedKnight,
    kPromotedLance,
    kTokin,
};

inline constexpr int kPieceKinds = 15;
// Rook to Pawn: the kinds of a hand, as indices of Hand.
inline constexpr int kHandKinds = 8;

enum class Side : std::uint8_t { kSente, kGote };

struct Square {
    Piece piece = Piece::kNone;
    Side side = Side::kSente;
    bool operator==(const Square&) const = default;
};

// Counts by Piece; only Rook to Pawn are used.
using Hand = std::array<int, kHandKinds>;

struct Position {
    // board[rank][column]: rank 0 is 一, the top; column 0 is file ９, the left as drawn.
    std::array<std::array<Square, 9>, 9> board{};
    std::array<Hand, 2> hands{};
    Side toMove = Side::kSente;
    bool operator==(const Position&) const = default;

    Square& at(int file, int rank) { return board[rank - 1][9 - file]; }
    const Square& at(int file, int rank) const { return board[rank - 1][9 - file]; }
    Hand& hand(Side side) { return hands[static_cast<int>(side)]; }
    const Hand& hand(Side side) const { return hands[static_cast<int>(side)]; }
};

// The piece's usual one-character name: 飛, 角, ..., 玉, 竜, 馬, 全, 圭, 杏, と (empty for None).
std::string PieceName(Piece piece);
// The piece a one-character name names: the usual names, and 王 and 龍 besides; nothing for any
// other character.
std::optional<Piece> PieceNamed(char32_t name);
// The kind a piece is counted as: a promoted piece as the piece it was.
Piece BaseKind(Piece piece);
// How many pieces of a base kind one shogi set has.
int PiecesInASet(Piece base);

// The starting position of an even game.
Position EvenGame();

// The starting position of the game a record's handicap line (手合割) names: 平手 is the even
// game, a handicap gives the first move to the second player. Nothing for a name not known.
std::optional<Position> HandicapPosition(std::u32string_view name);

// Gives `side` every piece (but kings) of one set that is neither on the board nor in the other
// player's hand, as a record's "残り全部" says. Of a kind already beyond a set, it gives none.
void GiveTheRest(Position& position, Side side);

// The kind of piece that a position holds more of than one set has (the king where one side has
// two), if any.
std::optional<Piece> KindWithTooMany(const Position& position);

}  // namespace shogi
